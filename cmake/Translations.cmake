# The texts a person reads in other languages: po/<lang>.po compiled with msgfmt into
# build/locale/<lang>/LC_MESSAGES/tumblegrade.mo, where the programs of the build find
# them, and installed into share/locale. `cmake --build build --target tg_po_update`
# gathers the marked texts of the sources into po/tumblegrade.pot and merges them into
# every po/<lang>.po (see po/README.md).
find_program(TG_MSGFMT msgfmt REQUIRED)
find_program(TG_XGETTEXT xgettext)
find_program(TG_MSGMERGE msgmerge)

set(TG_LANGUAGES de)
set(TG_LOCALE_DIR ${CMAKE_BINARY_DIR}/locale)
set(TG_MO_FILES "")
foreach(lang ${TG_LANGUAGES})
  set(mo ${TG_LOCALE_DIR}/${lang}/LC_MESSAGES/tumblegrade.mo)
  add_custom_command(
    OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TG_LOCALE_DIR}/${lang}/LC_MESSAGES
    COMMAND ${TG_MSGFMT} --check -o ${mo} ${CMAKE_SOURCE_DIR}/po/${lang}.po
    DEPENDS ${CMAKE_SOURCE_DIR}/po/${lang}.po
    COMMENT "Compiling the ${lang} catalogue"
    VERBATIM)
  list(APPEND TG_MO_FILES ${mo})
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${lang}/LC_MESSAGES COMPONENT game)
endforeach()
add_custom_target(tg_translations ALL DEPENDS ${TG_MO_FILES})

# The marked texts: tr("..."), trPage("...") and N_("...") in the game, its tools and server.
if(TG_XGETTEXT AND TG_MSGMERGE)
  add_custom_target(tg_po_update
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DXGETTEXT=${TG_XGETTEXT} -DMSGMERGE=${TG_MSGMERGE}
            "-DLANGUAGES=${TG_LANGUAGES}" -P ${CMAKE_SOURCE_DIR}/cmake/PoUpdate.cmake
    COMMENT "Gathering the texts into po/tumblegrade.pot and merging them into po/*.po"
    VERBATIM)
endif()
