# Installs the libraries with their headers in the source layout under include/ORX2_Common/ (so that
# "base/orx2basepool/tproperty.h" is included as in this tree) and the CMake package ORX2_Common with
# the targets ORX2::Common, ORX2::Host and ORX2::ReferenceHost, and, when it is built, the Qt bridge as
# the package's component QtBridge (ORX2::QtBridge, components QtBridgeRuntime and QtBridgeDevelopment,
# so that it has Debian packages of its own). Nothing installed names the prefix it
# was installed to: the package finds itself relative to its own files, so an installed tree may move.
include(CMakePackageConfigHelpers)

set(ORX2_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/ORX2_Common)
set(ORX2_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/ORX2_Common)

# The shared libraries find each other next to themselves wherever the tree is unpacked.
set_target_properties(ORX2_Host ORX2_Common PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS ORX2_Host ORX2_Common ORX2_ReferenceHost orx2_basepool_headers
        EXPORT ORX2_CommonTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        FILE_SET HEADERS DESTINATION ${ORX2_INSTALL_INCLUDEDIR} COMPONENT Development
        FILE_SET generated_headers DESTINATION ${ORX2_INSTALL_INCLUDEDIR} COMPONENT Development)

install(EXPORT ORX2_CommonTargets
        NAMESPACE ORX2::
        DESTINATION ${ORX2_INSTALL_CMAKEDIR}
        COMPONENT Development)

if(TARGET ORX2_QtBridge)
    set_target_properties(ORX2_QtBridge PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ORX2_QtBridge
            EXPORT ORX2_QtBridgeTargets
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT QtBridgeRuntime
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT QtBridgeRuntime
                    NAMELINK_COMPONENT QtBridgeDevelopment
            FILE_SET HEADERS DESTINATION ${ORX2_INSTALL_INCLUDEDIR} COMPONENT QtBridgeDevelopment
            FILE_SET generated_headers DESTINATION ${ORX2_INSTALL_INCLUDEDIR} COMPONENT QtBridgeDevelopment)
    install(EXPORT ORX2_QtBridgeTargets
            NAMESPACE ORX2::
            DESTINATION ${ORX2_INSTALL_CMAKEDIR}
            COMPONENT QtBridgeDevelopment)
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ORX2_CommonConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/ORX2_CommonConfig.cmake
                              INSTALL_DESTINATION ${ORX2_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ORX2_CommonConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION}
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ORX2_CommonConfig.cmake ${PROJECT_BINARY_DIR}/ORX2_CommonConfigVersion.cmake
        DESTINATION ${ORX2_INSTALL_CMAKEDIR}
        COMPONENT Development)
