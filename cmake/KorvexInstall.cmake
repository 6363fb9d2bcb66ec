# The installed tree: the programs in PREFIX/bin, their data in PREFIX/share/korvex (where a
# program running from PREFIX/bin finds its program folder), the desktop entry, the AppStream
# metadata, the ".nts" file name for the MIME database and the icon.
# Included after the subdirectories, so that every program target is known here.
if(TARGET korvex-cli)
    install(TARGETS korvex-cli RUNTIME DESTINATION bin)
endif()
if(TARGET korvex)
    install(TARGETS korvex RUNTIME DESTINATION bin)
endif()
# The map page with its logo is installed with the page itself; these join it when the build
# puts them beside the programs.
install(DIRECTORY ${KORVEX_PROGRAM_FOLDER}/Language DESTINATION share/korvex OPTIONAL)
install(FILES ${KORVEX_PROGRAM_FOLDER}/offset_min.bin DESTINATION share/korvex OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.korvex.Korvex.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.korvex.Korvex.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/korvex-mime.xml DESTINATION share/mime/packages)
# The desktop reads the compiled MIME database, not the package files. A staged install
# (DESTDIR) leaves that to the package's own triggers.
install(CODE [[
    find_program(update_mime_database update-mime-database)
    if(update_mime_database AND "$ENV{DESTDIR}" STREQUAL "")
        execute_process(COMMAND ${update_mime_database} "${CMAKE_INSTALL_PREFIX}/share/mime")
    endif()
]])
if(EXISTS ${CMAKE_SOURCE_DIR}/data/icons/korvex.svg)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/korvex.svg
        DESTINATION share/icons/hicolor/scalable/apps)
endif()
