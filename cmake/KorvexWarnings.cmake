# Every target of the project builds with these warnings. The project's own scripts and CI make
# them errors; someone who builds the sources with other compilers or options is not stopped by
# a warning a newer or older compiler gives (gcc 12's false -Wrestrict at -O3, for one).
option(KORVEX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
if(KORVEX_WARNINGS_AS_ERRORS)
    add_compile_options(-Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # gcc 12 reports overflows into std::string and std::vector storage that cannot happen
    # (its bugs 105329 and 106199), most of all with -O2 and the sanitizers.
    add_compile_options(-Wno-stringop-overflow)
    # At -O3 it also reports overlapping copies and out-of-bounds moves and reads inside
    # std::string and std::vector that cannot happen (bug 105329 and its kin), in code as plain
    # as a resize; a Release build with warnings as errors is kept building.
    add_compile_options($<$<CONFIG:Release>:-Wno-restrict> $<$<CONFIG:Release>:-Wno-array-bounds>
                        $<$<CONFIG:Release>:-Wno-stringop-overread>)
endif()
