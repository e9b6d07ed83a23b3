# Fails when a file of one layer includes a header of a layer it may not use,
# in a computing layer, a header of a window system or graphics library, or,
# outside the viewer program (app), the console that only programs print to.
# Run by the build for every layer (see HebviewLayers.cmake) with:
#   LAYER     the layer's folder
#   ALLOWED   the folders it may include from, comma-separated
#   LAYERS    every layer folder, comma-separated
#   COMPUTING ON for layers that must run without GL, a window or a display
#   FILES     the layer's sources and headers, comma-separated
#   STAMP     written when every file passes
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
string(REPLACE "," ";" layers "${LAYERS}")
string(REPLACE "," ";" files "${FILES}")
set(drawing_headers "^(GL|EGL|X11|gtk|gdk|IL|backends)/|^imgui|^png\\.h")
set(faults "")
foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*\"base/Console(Progress)?\\.h\""
           AND NOT LAYER STREQUAL "app" AND NOT file MATCHES "/base/Console(Progress)?\\.cpp$")
            list(APPEND faults "${file}: layer ${LAYER} reports to its caller; only programs print (${line})")
        endif()
        if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
            set(folder "${CMAKE_MATCH_1}")
            if(folder IN_LIST layers AND NOT folder IN_LIST allowed)
                list(APPEND faults "${file}: layer ${LAYER} may not include ${folder}/ (${line})")
            endif()
        elseif(COMPUTING AND line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
            if(CMAKE_MATCH_1 MATCHES "${drawing_headers}")
                list(APPEND faults "${file}: layer ${LAYER} runs without GL or a display (${line})")
            endif()
        endif()
    endforeach()
endforeach()
if(faults)
    string(REPLACE ";" "\n" text "${faults}")
    message(FATAL_ERROR "Wrong-way includes:\n${text}")
endif()
file(WRITE "${STAMP}" "")
