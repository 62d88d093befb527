# Installs the library, its public headers, the CMake package and the pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS zarnied EXPORT ZarniEditorTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Headers keep their folder layout under include/zarni, so the umbrella header and
# the headers it pulls in resolve the same way installed as in the source tree.
foreach(folder IN LISTS ZARNI_FOLDERS)
    if(folder STREQUAL "include")
        continue()
    endif()
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zarni/${folder}
        FILES_MATCHING PATTERN "*.h"
        PATTERN "cairo" EXCLUDE PATTERN "gtk" EXCLUDE)
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/zarni/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zarni
    FILES_MATCHING PATTERN "*.h")

set(ZARNI_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZarniEditor)
install(EXPORT ZarniEditorTargets NAMESPACE ZarniEditor:: DESTINATION ${ZARNI_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ZarniEditorConfig.cmake.in
    ${PROJECT_BINARY_DIR}/ZarniEditorConfig.cmake
    INSTALL_DESTINATION ${ZARNI_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ZarniEditorConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ZarniEditorConfig.cmake
    ${PROJECT_BINARY_DIR}/ZarniEditorConfigVersion.cmake
    DESTINATION ${ZARNI_CMAKE_DIR})

configure_file(${PROJECT_SOURCE_DIR}/cmake/zarnied.pc.in ${PROJECT_BINARY_DIR}/zarnied.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zarnied.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
