# The library's folders as object libraries. cmake/FolderDeps.txt lists them lowest first
# with the folders each may include; a folder's CMakeLists.txt calls zarni_folder() to build
# its sources into zarnied, linking only the folders the table allows.

add_library(zarni_folder_options INTERFACE)
target_include_directories(zarni_folder_options INTERFACE
    ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)

set(ZARNI_FOLDERS "")
file(STRINGS ${PROJECT_SOURCE_DIR}/cmake/FolderDeps.txt _lines REGEX "^[^#]")
foreach(_line IN LISTS _lines)
    string(REGEX REPLACE "[ \t]+" ";" _words "${_line}")
    list(POP_FRONT _words _folder)
    list(APPEND ZARNI_FOLDERS ${_folder})
    string(REPLACE "/" "_" _id ${_folder})
    set(ZARNI_FOLDER_DEPS_${_id} ${_words})
endforeach()

# zarni_folder([SOURCES file...]): the current folder's object library zarni_<folder>, from
# the given sources or else the folder's own *.cpp files; a folder without sources gives an
# interface library, so that the folders above can still link it.
function(zarni_folder)
    cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
    file(RELATIVE_PATH _folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    string(REPLACE "/" "_" _id ${_folder})
    set(_sources ${ARG_SOURCES})
    if(NOT ARG_SOURCES)
        file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    endif()
    set(_deps "")
    foreach(_dep IN LISTS ZARNI_FOLDER_DEPS_${_id})
        string(REPLACE "/" "_" _dep ${_dep})
        list(APPEND _deps zarni_${_dep})
    endforeach()
    if(_sources)
        add_library(zarni_${_id} OBJECT ${_sources})
        target_link_libraries(zarni_${_id} PUBLIC zarni_folder_options ${_deps})
        target_sources(zarnied PRIVATE $<TARGET_OBJECTS:zarni_${_id}>)
    else()
        add_library(zarni_${_id} INTERFACE)
        target_link_libraries(zarni_${_id} INTERFACE zarni_folder_options ${_deps})
    endif()
endfunction()
