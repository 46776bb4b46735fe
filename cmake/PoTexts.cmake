# gather_texts(OUT): the marked texts of the sources - tr("..."), trPage("...") and
# N_("...") in src/, tools/ and server/ - written by xgettext into the template OUT.
# Needs SOURCE (the source folder) and XGETTEXT.
function(gather_texts out)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE} ${SOURCE}/src/*.cpp ${SOURCE}/tools/*.cpp ${SOURCE}/server/*.cpp)
  list(SORT sources)
  execute_process(
    COMMAND ${XGETTEXT} --from-code=UTF-8 --language=C++ --keyword=tr --keyword=trPage --keyword=N_
            --package-name=tumblegrade --msgid-bugs-address=https://github.com/tumblegrade/tumblegrade/issues
            --add-comments=TRANSLATORS: --sort-by-file -o ${out} ${sources}
    WORKING_DIRECTORY ${SOURCE}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "xgettext failed")
  endif()
endfunction()
