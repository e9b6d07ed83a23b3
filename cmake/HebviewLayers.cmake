# One static library per layer folder, linked only to the layers below it.
# Every layer's includes are checked at build time by CheckLayerIncludes.cmake,
# so that a wrong-way include fails the build even where it would compile.
set(HEBVIEW_LAYERS base graph io layout bundling settings model analysis frame explore media export render facade effect platform ui app)

# hebview_layer(<folder> [COMPUTING] USES <layers below> SOURCES <files> [LINKS <libraries>])
function(hebview_layer folder)
    cmake_parse_arguments(LAYER "COMPUTING" "" "USES;SOURCES;LINKS" ${ARGN})
    set(target hebview_${folder})
    list(TRANSFORM LAYER_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${target} STATIC ${LAYER_SOURCES} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    set(lower ${LAYER_USES})
    list(TRANSFORM lower PREPEND hebview_)
    target_link_libraries(${target} PUBLIC hebview_numerics ${lower} ${LAYER_LINKS}
                          PRIVATE hebview_warnings)

    set(allowed ${folder} ${LAYER_USES})
    set(files ${LAYER_SOURCES} ${headers})
    string(REPLACE ";" "," allowed "${allowed}")
    string(REPLACE ";" "," files "${files}")
    string(REPLACE ";" "," layers "${HEBVIEW_LAYERS}")
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layer-check.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLAYER=${folder} -DALLOWED=${allowed} -DLAYERS=${layers}
                -DCOMPUTING=${LAYER_COMPUTING} -DFILES=${files} -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        DEPENDS ${LAYER_SOURCES} ${headers} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        COMMENT "Checking the includes of layer ${folder}"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
endfunction()
