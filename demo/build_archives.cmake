# cmake -DTOOL=vespin-tool -DPICTURES=vespin-demo-pictures -DSOURCE=demo -DGAME=out -DWORK=tmp
#       -P build_archives.cmake
# Encodes every scenario script, draws and packs the pictures, and writes the twenty archives of
# the demo game.

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

# Pictures: JPEG files go into vg_gjp.vsp as they are; PNG files are packed by vespin-tool into
# vg_gra.vsp, vg_gra2.vsp and vg_gra3.vsp. The entry name is the file name without its extension.
run(${PICTURES} ${WORK}/pictures)
file(GLOB jpegs ${WORK}/pictures/gjp/*.jpg)
list(SORT jpegs)
run(${TOOL} archive pack ${GAME}/vg_gjp.vsp --layout sized --name-width 16 ${jpegs})
foreach(archive gra gra2 gra3)
    file(MAKE_DIRECTORY ${WORK}/packed/${archive})
    file(GLOB pngs ${WORK}/pictures/${archive}/*.png)
    list(SORT pngs)
    set(packed)
    foreach(png ${pngs})
        get_filename_component(name ${png} NAME_WE)
        run(${TOOL} picture encode ${png} ${WORK}/packed/${archive}/${name})
        list(APPEND packed ${WORK}/packed/${archive}/${name})
    endforeach()
    run(${TOOL} archive pack ${GAME}/vg_${archive}.vsp --layout sized --name-width 16 ${packed})
endforeach()

# The other archives hold nothing yet.
foreach(archive vg_wav1 vg_wav2 vg_wav3 vg_wav4 vg_wav5
                vg_se0 vg_se1 vg_se2 vg_ogg1 vg_ogg2 vg_ogg3 vg_bgm vg_anim vg_anim2)
    run(${TOOL} archive pack ${GAME}/${archive}.vsp --layout sized --name-width 16)
endforeach()
