# Checks that every source file keeps to its layer: what each folder may not include.
#
#   cmake -DROOT=<source tree> -P check_layers.cmake              checks the tree
#   cmake -DROOT=<empty scratch dir> -DSELF_TEST=ON -P ...         plants every forbidden
#       include in every folder in turn and fails unless each one is caught
#
# Lines are read as the compiler sees an include: "#include" at the start of a line.

# How each kind of dependency shows in an include line (CMake regular expressions).
set(KIND_platform "[<\"]platform/")
set(KIND_game "[<\"]game/")
set(KIND_app "[<\"]app/")
set(KIND_backend "[<\"](platform/)?(qt|win32|web|headless)/|\"\\.\\./(qt|win32|web|headless)/")
set(KIND_qt "<Q[A-Za-z0-9_]*[>/]")
set(KIND_windows "<([Ww][Ii][Nn][Dd][Oo][Ww][Ss]|winuser|wingdi|winbase|windef|mmsystem)\\.[Hh]>")
set(KIND_emscripten "<emscripten[./]")

# One include of each kind, for the self-test.
set(SAMPLE_platform "\"platform/wnd.h\"")
set(SAMPLE_game "\"game/game_view.h\"")
set(SAMPLE_app "\"app/mainfrm.h\"")
set(SAMPLE_backend "\"platform/headless/headless_system.h\"")
set(SAMPLE_qt "<QWidget>")
set(SAMPLE_windows "<windows.h>")
set(SAMPLE_emscripten "<emscripten/html5.h>")

# Folder, then the kinds it must not include. "folder/*" is the folder's own files without
# its subfolders (the window layer's core, apart from its backends). A folder that does not
# exist (a backend not written yet) has nothing to check.
set(LAYERS
    "surface: platform game app qt windows emscripten"
    "game: app backend qt windows emscripten"
    "platform/*: game app backend qt windows emscripten"
    "platform/headless: game app qt windows emscripten"
    "platform/qt: game app windows emscripten"
    "platform/win32: game app qt emscripten"
    "platform/web: game app qt windows"
    "app: backend qt windows emscripten"
    "tools: qt windows emscripten"
    "bench/*: qt windows emscripten"
    "fuzz: qt windows emscripten"
    "tests/surface: qt windows emscripten"
    "tests/game: qt windows emscripten"
    "tests/testkit: qt windows emscripten")

set(SOURCE_PATTERNS *.h *.hpp *.cpp *.cc *.c *.inl)

# Appends "file: include (kind)" to the list named by out for every forbidden include
# under root.
function(check_tree root out)
    set(found)
    foreach(layer IN LISTS LAYERS)
        string(REGEX MATCH "^([^:]+): (.*)$" unused "${layer}")
        set(folder "${CMAKE_MATCH_1}")
        string(REPLACE " " ";" kinds "${CMAKE_MATCH_2}")
        set(globs)
        if(folder MATCHES "/\\*$")
            string(REGEX REPLACE "/\\*$" "" folder "${folder}")
            foreach(pattern IN LISTS SOURCE_PATTERNS)
                list(APPEND globs "${root}/${folder}/${pattern}")
            endforeach()
            file(GLOB files ${globs})
        else()
            foreach(pattern IN LISTS SOURCE_PATTERNS)
                list(APPEND globs "${root}/${folder}/${pattern}")
            endforeach()
            file(GLOB_RECURSE files ${globs})
        endif()
        foreach(path IN LISTS files)
            file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include")
            foreach(line IN LISTS includes)
                foreach(kind IN LISTS kinds)
                    if(line MATCHES "${KIND_${kind}}")
                        file(RELATIVE_PATH name "${root}" "${path}")
                        string(STRIP "${line}" line)
                        list(APPEND found "${name}: ${line} (${folder} may not include ${kind})")
                    endif()
                endforeach()
            endforeach()
        endforeach()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(NOT ROOT)
    message(FATAL_ERROR "ROOT must name the tree to check")
endif()

if(SELF_TEST)
    set(missed)
    set(nPlanted 0)
    foreach(layer IN LISTS LAYERS)
        string(REGEX MATCH "^([^:]+): (.*)$" unused "${layer}")
        set(folder "${CMAKE_MATCH_1}")
        string(REPLACE " " ";" kinds "${CMAKE_MATCH_2}")
        string(REGEX REPLACE "/\\*$" "" folder "${folder}")
        foreach(kind IN LISTS kinds)
            file(REMOVE_RECURSE "${ROOT}")
            file(WRITE "${ROOT}/${folder}/planted.h" "#pragma once\n#include ${SAMPLE_${kind}}\n")
            check_tree("${ROOT}" found)
            list(LENGTH found nFound)
            if(NOT nFound EQUAL 1)
                list(APPEND missed "${folder} including ${SAMPLE_${kind}}: ${nFound} found")
            endif()
            math(EXPR nPlanted "${nPlanted} + 1")
        endforeach()
    endforeach()
    # An allowed include is not reported: the game on the window layer's core.
    file(REMOVE_RECURSE "${ROOT}")
    file(WRITE "${ROOT}/game/allowed.h" "#include \"platform/wnd.h\"\n#include <vector>\n")
    check_tree("${ROOT}" found)
    if(found)
        list(APPEND missed "an allowed include was reported: ${found}")
    endif()
    file(REMOVE_RECURSE "${ROOT}")
    if(missed)
        list(JOIN missed "\n  " text)
        message(FATAL_ERROR "the layer check missed:\n  ${text}")
    endif()
    message(STATUS "each of ${nPlanted} planted forbidden includes was caught")
    return()
endif()

check_tree("${ROOT}" found)
if(found)
    list(JOIN found "\n  " text)
    message(FATAL_ERROR "includes that break the layers:\n  ${text}")
endif()
message(STATUS "every source file keeps to its layer")
