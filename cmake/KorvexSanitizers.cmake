# One sanitizer set for the whole tree, so libraries and tests agree on their runtime.
if(KORVEX_SANITIZE)
    add_compile_options(-fsanitize=${KORVEX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${KORVEX_SANITIZE})
endif()
if(KORVEX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KORVEX_FUZZ needs clang (libFuzzer)")
    endif()
    # Instrument everything for coverage; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
