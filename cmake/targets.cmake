# How each of our targets is compiled and what it may include.

# The warnings every target of ours is built with.
function(tolvane_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TOLVANE_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Makes the headers of one source folder includable as "<folder>/x.h" for the
# target and for what links it, and for nothing else: an include against the
# direction of the dependencies fails to build. Each target sees its folder
# through a link under its own include root in the build tree.
function(tolvane_expose target scope folder)
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} ${scope} ${root})
endfunction()

# A static library for one source folder: warnings, and its folder exposed.
function(tolvane_library target folder)
    add_library(${target} STATIC ${ARGN})
    tolvane_warnings(${target})
    tolvane_expose(${target} PUBLIC ${folder})
endfunction()
