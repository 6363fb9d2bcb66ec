# Every target of the project builds with warnings as errors.
add_compile_options(-Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # gcc 12 reports overflows into std::string and std::vector storage that cannot happen
    # (its bugs 105329 and 106199), most of all with -O2 and the sanitizers.
    add_compile_options(-Wno-stringop-overflow)
endif()
