# Install rules, one component per Debian package (scripts/package.sh builds the packages from
# them):
#   nomira           the programs in their program folder /usr/lib/nomira with what they look
#                    for beside themselves (the PDF module, the operator's guide NomiraUM.pdf, the
#                    agent stand-ins in agent/), links in /usr/bin, the registry store
#                    /etc/nomira/registry.ini (a conffile), desktop entry, icons, manual pages;
#   libzoomwell1     the Zoomwell shared library;
#   libzoomwell-dev  its headers, the link to it and its CMake package.
# The registry store names the machine-wide data folder /var/lib/nomira, which the package's
# postinst makes for the group "nomira".
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME nomira)

set(NOMIRA_PROGRAM_DIR lib/nomira)
set(NOMIRA_DATA_DIR /var/lib/nomira)
set(NOMIRA_GROUP nomira)
set(NOMIRA_APP_ID com.orvane.Nomira)
set(packaging ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

# ---- programs ---------------------------------------------------------------
install(TARGETS nomira nomira-cli nomira-demo-data nomira_pdf nomira_ocr
    RUNTIME DESTINATION ${NOMIRA_PROGRAM_DIR}
    LIBRARY DESTINATION ${NOMIRA_PROGRAM_DIR})
install(TARGETS agent_Quentdef agent_Quentconv agent_Quentry
    RUNTIME DESTINATION ${NOMIRA_PROGRAM_DIR}/agent)
install(FILES ${CMAKE_BINARY_DIR}/NomiraUM.pdf ${CMAKE_BINARY_DIR}/NomiraUM.html
        DESTINATION ${NOMIRA_PROGRAM_DIR})
file(MAKE_DIRECTORY ${generated}/bin)
foreach(program Nomira nomira-cli nomira-demo-data)
    file(CREATE_LINK ../${NOMIRA_PROGRAM_DIR}/${program} ${generated}/bin/${program} SYMBOLIC)
    install(FILES ${generated}/bin/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# ---- Zoomwell: library, headers and a CMake package with an exported target ---
if(ZOOMWELL_SOURCES)
    install(TARGETS zoomwell EXPORT ZoomwellTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libzoomwell1
            NAMELINK_COMPONENT libzoomwell-dev
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    target_include_directories(zoomwell PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    install(FILES ${ZOOMWELL_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zoomwell
        COMPONENT libzoomwell-dev)
    include(CMakePackageConfigHelpers)
    set(zoomwellCMakeDir ${CMAKE_INSTALL_LIBDIR}/cmake/Zoomwell)
    install(EXPORT ZoomwellTargets NAMESPACE Zoomwell:: DESTINATION ${zoomwellCMakeDir}
        COMPONENT libzoomwell-dev)
    configure_package_config_file(${packaging}/ZoomwellConfig.cmake.in
        ${generated}/ZoomwellConfig.cmake INSTALL_DESTINATION ${zoomwellCMakeDir})
    write_basic_package_version_file(${generated}/ZoomwellConfigVersion.cmake
        COMPATIBILITY SameMajorVersion)
    install(FILES ${generated}/ZoomwellConfig.cmake ${generated}/ZoomwellConfigVersion.cmake
        DESTINATION ${zoomwellCMakeDir} COMPONENT libzoomwell-dev)
endif()

# ---- registry store, desktop entry, icon, metainfo, MIME type -----------------
configure_file(${packaging}/registry.ini.in ${generated}/registry.ini @ONLY)
install(FILES ${generated}/registry.ini DESTINATION /etc/nomira)
install(FILES ${packaging}/${NOMIRA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(NOMIRA_RELEASE_DATE 2026-12-08)
configure_file(${packaging}/${NOMIRA_APP_ID}.metainfo.xml ${generated}/${NOMIRA_APP_ID}.metainfo.xml
    @ONLY)
install(FILES ${generated}/${NOMIRA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/nomira-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME nomira.xml)
install(FILES ${packaging}/nomira.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

find_program(RSVG_CONVERT rsvg-convert)
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
set(NOMIRA_ICON_SIZES 16 24 32 48 64 128 256)
if(RSVG_CONVERT)
    set(icons)
    foreach(size ${NOMIRA_ICON_SIZES})
        set(png ${generated}/icons/${size}/nomira.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${packaging}/nomira.svg
            DEPENDS ${packaging}/nomira.svg VERBATIM)
        list(APPEND icons ${png})
        install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(nomira-icons ALL DEPENDS ${icons})
else()
    message(STATUS "rsvg-convert not found: the package gets only the scalable icon")
endif()

# ---- manual pages and bash completion ------------------------------------------------
# Nomira's and nomira-demo-data's pages are written by hand. nomira-cli's is made by running
# nomira-cli --help in a UTF-8 locale (its Japanese texts), which a sanitizer build would
# burden with its reports; packages come from plain builds.
set(manPages)
foreach(page Nomira nomira-demo-data)
    add_custom_command(OUTPUT ${generated}/man/${page}.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/man
        COMMAND ${CMAKE_COMMAND} -E copy ${packaging}/${page}.1 ${generated}/man/${page}.1
        COMMAND ${GZIP} -9nf ${generated}/man/${page}.1
        DEPENDS ${packaging}/${page}.1 VERBATIM)
    list(APPEND manPages ${generated}/man/${page}.1.gz)
endforeach()
if(HELP2MAN AND NOT NOMIRA_SANITIZE)
    set(manPage ${generated}/man/nomira-cli.1)
    add_custom_command(OUTPUT ${manPage}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/man
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 --locale=C.UTF-8
                "--name=give scanned drawings meaningful file names, without a screen"
                --include=${packaging}/nomira-cli.h2m --output=${manPage} $<TARGET_FILE:nomira-cli>
        COMMAND ${GZIP} -9nf ${manPage}
        DEPENDS nomira-cli ${packaging}/nomira-cli.h2m
        COMMENT "Writing the manual page of nomira-cli" VERBATIM)
    list(APPEND manPages ${manPage}.gz)
else()
    message(STATUS "No manual page for nomira-cli (help2man missing, or a sanitizer build)")
endif()
add_custom_target(nomira-man ALL DEPENDS ${manPages})
install(FILES ${manPages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/nomira-cli.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME nomira-cli)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/nomira)

# ---- Debian package data: copyright and changelog in every package, maintainer scripts ------
set(debian ${packaging}/debian)
add_custom_command(OUTPUT ${generated}/changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${debian}/changelog ${generated}/changelog.Debian
    COMMAND ${GZIP} -9nf ${generated}/changelog.Debian
    DEPENDS ${debian}/changelog VERBATIM)
add_custom_target(nomira-debian-changelog ALL DEPENDS ${generated}/changelog.Debian.gz)
foreach(package nomira libzoomwell1 libzoomwell-dev)
    install(FILES ${debian}/copyright ${generated}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
endforeach()
foreach(script postinst postrm)
    configure_file(${debian}/nomira.${script}.in ${generated}/debian/nomira.${script} @ONLY)
endforeach()
