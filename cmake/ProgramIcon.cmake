# The program's icon: the hand-drawn dist/icons/ndlemo.svg, rendered by rsvg-convert into the usual sizes of a
# hicolor icon tree in the build (NDLEMO_ICON_DIR), which the window icon resource and the installation share.
set(NDLEMO_ICON_DIR ${PROJECT_BINARY_DIR}/icons/hicolor)
set(NDLEMO_ICON_SIZES 16 24 32 48 64 128 256)

# Adds the rendered icons to the target as the Qt resource ":/icons/SIZExSIZE/apps/ndlemo.png".
function(ndlemo_add_program_icon target)
    find_program(NDLEMO_RSVG_CONVERT rsvg-convert)
    if(NOT NDLEMO_RSVG_CONVERT)
        message(FATAL_ERROR "rsvg-convert not found (Debian package librsvg2-bin; scripts/install-deps.sh installs it)")
    endif()
    set(svg ${PROJECT_SOURCE_DIR}/dist/icons/ndlemo.svg)
    set(pngs)
    foreach(size IN LISTS NDLEMO_ICON_SIZES)
        set(png ${NDLEMO_ICON_DIR}/${size}x${size}/apps/ndlemo.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${NDLEMO_ICON_DIR}/${size}x${size}/apps
            COMMAND ${NDLEMO_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
            DEPENDS ${svg}
            VERBATIM)
        list(APPEND pngs ${png})
    endforeach()
    configure_file(${svg} ${NDLEMO_ICON_DIR}/scalable/apps/ndlemo.svg COPYONLY)
    qt_add_resources(${target} ndlemo_icon PREFIX /icons BASE ${NDLEMO_ICON_DIR} FILES ${pngs})
endfunction()
