# The reference manual (target `docs`, `cmake --build --preset docs`): Doxygen over the headers the
# package installs (the HEADERS file sets of the installed targets, the generated ones included), with
# the README as its front page and the guides of docs/ and tests/README.md as pages. Written to
# <build>/docs/html; a public member without documentation fails the target (docs/Doxyfile.in).
# It is not part of the default build (Doxygen and Graphviz take half a minute whenever a header
# changes): the package workflow and .ci/package build it before packaging, and the development
# files install it when it is there (share/doc/ORX2_Common/html), so the development package ships it.
find_package(Doxygen 1.9 COMPONENTS dot)
if(NOT DOXYGEN_FOUND)
    find_package(Doxygen 1.9)
endif()
if(NOT DOXYGEN_FOUND)
    message(STATUS "Doxygen not found: no target docs (install doxygen, or run tools/setup)")
    return()
endif()

set(ORX2_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
set(documented_targets ORX2_Host orx2_basepool_headers ORX2_Common ORX2_ReferenceHost)
if(TARGET ORX2_QtBridge)
    list(APPEND documented_targets ORX2_QtBridge)
endif()
set(headers)
set(generated_dirs)
foreach(target IN LISTS documented_targets)
    get_target_property(sets ${target} INTERFACE_HEADER_SETS)
    foreach(set IN LISTS sets)
        get_target_property(files ${target} HEADER_SET_${set})
        list(APPEND headers ${files})
        get_target_property(dirs ${target} HEADER_DIRS_${set})
        list(FILTER dirs EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}$")
        list(APPEND generated_dirs ${dirs})
    endforeach()
endforeach()
list(REMOVE_DUPLICATES headers)
file(GLOB guides CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
set(pages ${PROJECT_SOURCE_DIR}/README.md ${guides} ${PROJECT_SOURCE_DIR}/tests/README.md)

list(JOIN headers " \\\n    " inputs)
list(JOIN pages " \\\n    " page_inputs)
set(ORX2_DOCS_INPUT "${page_inputs} \\\n    ${inputs}")
list(JOIN generated_dirs " " ORX2_DOCS_GENERATED_DIRS)
if(TARGET Doxygen::dot)
    set(ORX2_DOCS_HAVE_DOT YES)
else()
    set(ORX2_DOCS_HAVE_DOT NO)
endif()
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${ORX2_DOCS_OUTPUT}/Doxyfile @ONLY)

add_custom_command(
    OUTPUT ${ORX2_DOCS_OUTPUT}/html/index.html
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORX2_DOCS_OUTPUT}/html
    COMMAND Doxygen::doxygen ${ORX2_DOCS_OUTPUT}/Doxyfile
    DEPENDS ${ORX2_DOCS_OUTPUT}/Doxyfile ${headers} ${pages} ${PROJECT_SOURCE_DIR}/docs/orx2-gui.png
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Reference manual: ${ORX2_DOCS_OUTPUT}/html/index.html"
    VERBATIM)
add_custom_target(docs DEPENDS ${ORX2_DOCS_OUTPUT}/html/index.html)

if(ORX2_INSTALL)
    install(DIRECTORY ${ORX2_DOCS_OUTPUT}/html
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/ORX2_Common
            COMPONENT Development
            OPTIONAL)
endif()
