# GoogleTest is built from Debian's sources so that it carries the same sanitizers as the code.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# korvex_add_gtest(NAME name SOURCES ... [LIBS ...] [LABELS ...] [LOCKS ...])
# LABELS: "threads" marks tests that also run under ThreadSanitizer, "qt" tests that need Qt.
# LOCKS: shared services the tests change (such as "pulseaudio", whose default sink they set);
# such tests run alone, since they measure the service's state and timing.
function(korvex_add_gtest)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS;LOCKS" ${ARGN})
    if(KORVEX_FUZZ)
        return() # the fuzz tree builds only the fuzz targets
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE korvex_core korvex_test_support GTest::gtest_main GTest::gmock ${T_LIBS})
    # No empty value may go in: the list would lose it and pair the names with the wrong values.
    set(properties "")
    if(T_LABELS)
        list(APPEND properties LABELS "${T_LABELS}")
    endif()
    if(T_LOCKS)
        list(APPEND properties RESOURCE_LOCK "${T_LOCKS}" RUN_SERIAL TRUE)
    endif()
    set(discovery WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 30)
    if(properties)
        list(APPEND discovery PROPERTIES ${properties})
    endif()
    gtest_discover_tests(${T_NAME} ${discovery})
endfunction()

# korvex_add_fuzzer(NAME name SOURCES ... [SECONDS n]): a libFuzzer target that the suite
# runs briefly from the regression inputs in corpus/<name>/ beside its source.
function(korvex_add_fuzzer)
    cmake_parse_arguments(F "" "NAME;SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT KORVEX_FUZZ)
        return()
    endif()
    if(NOT F_SECONDS)
        set(F_SECONDS 20)
    endif()
    add_executable(${F_NAME} ${F_SOURCES})
    target_link_libraries(${F_NAME} PRIVATE korvex_core ${F_LIBS})
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}-corpus)
    file(MAKE_DIRECTORY ${work})
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${F_NAME})
    if(NOT EXISTS ${seeds})
        set(seeds "")
    endif()
    add_test(NAME ${F_NAME}
        COMMAND $<TARGET_FILE:${F_NAME}> -max_total_time=${F_SECONDS} -rss_limit_mb=2048 ${work} ${seeds})
    set_tests_properties(${F_NAME} PROPERTIES LABELS fuzz)
endfunction()
