# The layers of the source tree, lowest first. A folder may include its own headers and those of
# the folders before it in its chain; configuring fails on any include that climbs upwards, so
# the layering is a rule of the build and not a habit.
#
#   texts <- drawing <- construction <- hyperbolic <- waves <- printing <- figure <- lesson
#                                                                              (kymata_figure)
#   figure  <- export <- shell                                              (the Qt shell)
#   figure  <- web                                                          (the web shell)
#
# The core's layers stand in one ordered list; each may include those before it. The shells
# stand on the whole core.
set(KYMATA_CORE_LAYERS texts drawing construction hyperbolic waves printing figure lesson)
set(below)
foreach(layer IN LISTS KYMATA_CORE_LAYERS)
    list(APPEND below ${layer})
    set(KYMATA_LAYERS_${layer} ${below})
endforeach()
set(KYMATA_LAYERS_export ${KYMATA_CORE_LAYERS} export)
set(KYMATA_LAYERS_shell ${KYMATA_LAYERS_export} shell)
set(KYMATA_LAYERS_web ${KYMATA_CORE_LAYERS} web)

# The folders whose code is standard C++ alone: no Qt header may appear in them.
set(KYMATA_QT_FREE_LAYERS ${KYMATA_CORE_LAYERS} web)

function(kymata_check_layers source_dir)
    file(GLOB_RECURSE sources RELATIVE ${source_dir} ${source_dir}/*.h ${source_dir}/*.cpp)
    foreach(source IN LISTS sources)
        string(REGEX MATCH "^[^/]+" layer "${source}")
        if(NOT DEFINED KYMATA_LAYERS_${layer})
            continue()
        endif()
        file(STRINGS ${source_dir}/${source} includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/")
                if(NOT CMAKE_MATCH_1 IN_LIST KYMATA_LAYERS_${layer})
                    message(FATAL_ERROR "src/${source} includes a higher layer: ${line}\n"
                                        "${layer}/ may include: ${KYMATA_LAYERS_${layer}}")
                endif()
            endif()
            if(layer IN_LIST KYMATA_QT_FREE_LAYERS AND line MATCHES "#[ \t]*include[ \t]*<Q")
                message(FATAL_ERROR "src/${source} is standard C++ alone but includes Qt: ${line}")
            endif()
        endforeach()
    endforeach()
endfunction()

# Fails configuring when `target` links, or takes include directories from, anything of Qt.
function(kymata_forbid_qt target)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES INCLUDE_DIRECTORIES
                     INTERFACE_INCLUDE_DIRECTORIES)
        get_target_property(values ${target} ${property})
        if(values AND values MATCHES "Qt[0-9]*::|Qt6|Qt5")
            message(FATAL_ERROR "${target} must not use Qt (${property}: ${values})")
        endif()
    endforeach()
endfunction()
