# cmake -DSOURCE=... -DXGETTEXT=... -DMSGMERGE=... -DLANGUAGES="de" -P PoUpdate.cmake:
# po/tumblegrade.pot from the sources, merged into every po/<lang>.po.
include(${CMAKE_CURRENT_LIST_DIR}/PoTexts.cmake)
gather_texts(${SOURCE}/po/tumblegrade.pot)
foreach(lang ${LANGUAGES})
  execute_process(COMMAND ${MSGMERGE} --quiet --update --backup=none po/${lang}.po po/tumblegrade.pot
                  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "msgmerge failed for po/${lang}.po")
  endif()
endforeach()
