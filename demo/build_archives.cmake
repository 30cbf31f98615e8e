# cmake -DTOOL=vespin-tool -DSOURCE=demo -DGAME=out -DWORK=tmp -P build_archives.cmake
# Encodes every scenario script and packs the twenty archives of the demo game.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${err}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/scripts ${GAME})

# Scripts: scenario/NAME.txt becomes the entry NAME of vg_data.vsp.
file(GLOB scenario ${SOURCE}/scenario/*.txt)
set(encoded)
foreach(txt ${scenario})
    get_filename_component(name ${txt} NAME_WE)
    run(${TOOL} script encode ${txt} ${WORK}/scripts/${name})
    list(APPEND encoded ${WORK}/scripts/${name})
endforeach()
list(SORT encoded)
run(${TOOL} archive pack ${GAME}/vg_data.vsp --layout script ${encoded})
run(${TOOL} archive pack ${GAME}/vg_data2.vsp --layout script)

# The other archives hold nothing yet.
foreach(archive vg_gra vg_gra2 vg_gra3 vg_gjp vg_wav1 vg_wav2 vg_wav3 vg_wav4 vg_wav5
                vg_se0 vg_se1 vg_se2 vg_ogg1 vg_ogg2 vg_ogg3 vg_bgm vg_anim vg_anim2)
    run(${TOOL} archive pack ${GAME}/${archive}.vsp --layout sized --name-width 16)
endforeach()
