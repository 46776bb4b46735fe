# cmake -DSOURCE=... -DXGETTEXT=... -DMSGFMT=... -DLANGUAGES="de" -DWORK=... -P PoCheck.cmake:
# every text of the sources as they are now has a translation in every po/<lang>.po,
# none of them fuzzy or empty, and msgfmt --check passes.
include(${CMAKE_CURRENT_LIST_DIR}/PoTexts.cmake)
file(MAKE_DIRECTORY ${WORK})
gather_texts(${WORK}/tumblegrade.pot)
get_filename_component(tools ${MSGFMT} DIRECTORY)
foreach(lang ${LANGUAGES})
  set(po ${SOURCE}/po/${lang}.po)
  execute_process(COMMAND ${MSGFMT} --check --statistics -o ${WORK}/${lang}.mo ${po}
                  RESULT_VARIABLE failed ERROR_VARIABLE statistics)
  if(failed)
    message(FATAL_ERROR "msgfmt --check fails on po/${lang}.po:\n${statistics}")
  endif()
  if(statistics MATCHES "fuzzy|untranslated")
    message(FATAL_ERROR "po/${lang}.po is not complete: ${statistics}")
  endif()
  # msgcmp: every text of the template has a translation in the catalogue.
  execute_process(COMMAND ${tools}/msgcmp ${po} ${WORK}/tumblegrade.pot
                  RESULT_VARIABLE failed ERROR_VARIABLE missing)
  if(failed)
    message(FATAL_ERROR "po/${lang}.po lacks texts of the sources (run the tg_po_update target):\n${missing}")
  endif()
  message(STATUS "po/${lang}.po: ${statistics}")
endforeach()
