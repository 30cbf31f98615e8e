# cmake -DTOOL=vespin-tool -DSOUNDS=vespin-demo-sounds -DPICTURES=vespin-demo-pictures
#       -DANIMS=vespin-demo-anims -DSOURCE=demo -DGAME=out -DWORK=tmp -P build_archives.cmake
# Encodes every scenario script, generates and encodes the sounds, draws and packs the
# pictures, and writes the twenty archives of the demo game.

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

# Sounds: generated WAV files encoded as the archive's coding wants (R for voices and effects, M
# with a loop point for music); the Ogg voice goes in as it is.
run(${SOUNDS} ${WORK}/wav)
function(pack_sounds archive coding)
    file(MAKE_DIRECTORY ${WORK}/${archive})
    set(entries)
    foreach(entry ${ARGN})
        string(REPLACE ":" ";" parts ${entry})
        list(GET parts 0 name)
        set(loop)
        list(LENGTH parts n)
        if(n GREATER 1)
            list(GET parts 1 frame)
            set(loop --loop ${frame})
        endif()
        run(${TOOL} sound encode ${WORK}/wav/${name}.wav ${WORK}/${archive}/${name}.wdy
            --coding ${coding} ${loop})
        list(APPEND entries ${WORK}/${archive}/${name}.wdy)
    endforeach()
    run(${TOOL} archive pack ${GAME}/${archive}.vsp --layout sized --name-width 16 ${entries})
endfunction()
pack_sounds(vg_wav1 R V0001 V0002 TON1145 SSE01 SSE02 SSE05 SSE06 SSE07 SSE09 SSE11 se30 se29
            add_sel016 add_sel017 add_sel001 add_sel004)
pack_sounds(vg_se0 R SE_BELL SE_DOOR SEZAI021)
pack_sounds(vg_se2 R SE_RAIN)
# M01 loops after its four-bar introduction (4.8 s), M02 after its first bar (1.6 s), M31 (the
# recollection screen's) after its first four notes (2 s).
pack_sounds(vg_bgm M M01:211680 M02:70560 M31:88200)
run(${TOOL} archive pack ${GAME}/vg_ogg1.vsp --layout sized --name-width 16 ${WORK}/wav/V0003.ogg)

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

# Animations: BEAM is packed from its key frames with its chime by vespin-tool; the others
# (patch frames, resync events, the battle's effects) come finished from the generator.
run(${ANIMS} ${WORK}/anims)
file(GLOB beam_frames ${WORK}/anims/beam/*.jpg)
list(SORT beam_frames)
run(${TOOL} anim pack ${WORK}/anims/entries/BEAM --period 33 --sound ${WORK}/wav/ANIM_CHIME.wav
    ${beam_frames})
file(GLOB anims ${WORK}/anims/entries/*)
list(SORT anims)
run(${TOOL} archive pack ${GAME}/vg_anim.vsp --layout sized --name-width 16 ${anims})

# The other archives hold nothing yet.
foreach(archive vg_wav2 vg_wav3 vg_wav4 vg_wav5 vg_se1 vg_ogg2 vg_ogg3 vg_anim2)
    run(${TOOL} archive pack ${GAME}/${archive}.vsp --layout sized --name-width 16)
endforeach()
