# Install rules and the Debian package (cpack -G DEB, or scripts/package.sh).
#
# Layout: the programs live in their program folder /usr/lib/nomira with what they look for
# beside themselves (the PDF module, the operator's guide NomiraUM.pdf, the agent stand-ins in
# agent/); /usr/bin holds links to them. libzoomwell, its headers and its CMake package go to the
# usual places. The registry store /etc/nomira/registry.ini (a conffile) names the machine-wide
# data folder /var/lib/nomira, which the package's postinst makes for the group "nomira".
include(GNUInstallDirs)

set(NOMIRA_PROGRAM_DIR lib/nomira)
set(NOMIRA_DATA_DIR /var/lib/nomira)
set(NOMIRA_GROUP nomira)
set(NOMIRA_APP_ID com.orvane.Nomira)
set(packaging ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

# ---- programs ---------------------------------------------------------------
install(TARGETS nomira nomira-cli nomira-demo-data nomira_pdf
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
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    target_include_directories(zoomwell PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    install(FILES ${ZOOMWELL_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zoomwell)
    include(CMakePackageConfigHelpers)
    set(zoomwellCMakeDir ${CMAKE_INSTALL_LIBDIR}/cmake/Zoomwell)
    install(EXPORT ZoomwellTargets NAMESPACE Zoomwell:: DESTINATION ${zoomwellCMakeDir})
    configure_package_config_file(${packaging}/ZoomwellConfig.cmake.in
        ${generated}/ZoomwellConfig.cmake INSTALL_DESTINATION ${zoomwellCMakeDir})
    write_basic_package_version_file(${generated}/ZoomwellConfigVersion.cmake
        COMPATIBILITY SameMajorVersion)
    install(FILES ${generated}/ZoomwellConfig.cmake ${generated}/ZoomwellConfigVersion.cmake
        DESTINATION ${zoomwellCMakeDir})
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

# ---- nomira-cli: man page (its --help and our own text) and bash completion ------
# The page is made by running nomira-cli --help, which a sanitizer build would burden with its
# reports; packages come from plain builds.
if(HELP2MAN AND GZIP AND NOT NOMIRA_SANITIZE)
    set(manPage ${generated}/nomira-cli.1)
    add_custom_command(OUTPUT ${manPage}.gz
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
                "--name=give scanned drawings meaningful file names, without a screen"
                --include=${packaging}/nomira-cli.h2m --output=${manPage} $<TARGET_FILE:nomira-cli>
        COMMAND ${GZIP} -9nf ${manPage}
        DEPENDS nomira-cli ${packaging}/nomira-cli.h2m
        COMMENT "Writing the manual page of nomira-cli" VERBATIM)
    add_custom_target(nomira-cli-man ALL DEPENDS ${manPage}.gz)
    install(FILES ${manPage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(STATUS "No manual page for nomira-cli (help2man or gzip missing, or a sanitizer build)")
endif()
install(FILES ${packaging}/nomira-cli.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME nomira-cli)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/nomira)

# ---- the Debian package -------------------------------------------------------
foreach(script postinst postrm)
    configure_file(${packaging}/${script}.in ${generated}/debian/${script} @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
        WORLD_READ WORLD_EXECUTE)
endforeach()
file(WRITE ${generated}/debian/conffiles "/etc/nomira/registry.ini\n")
# libzoomwell is a public shared library: the loader's cache learns of it on install and removal.
file(WRITE ${generated}/debian/triggers "activate-noawait ldconfig\n")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nomira)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gives scanned drawings and documents meaningful file names")
set(CPACK_PACKAGE_DESCRIPTION "Nomira moves scanned drawings and documents into their storage \
folder under names made from a rename list (a CSV of bibliographic data), joining several scans of \
one drawing into a multi-page TIFF and writing an export file beside them. The package holds the \
desktop program Nomira, the headless companion nomira-cli, the Zoomwell zoom-frame library with its \
headers and CMake package, the operator's guide and a demo-data maker.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Nomira developers <nomira@orvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries come from dpkg-shlibdeps; what the programs start or load by name is added here:
# the plot converter, the Japanese font, Qt's platform plugins (the screen) and the group tools.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "hp2xx, fonts-ipafont-gothic, qt6-qpa-plugins, adduser, tesseract-ocr-jpn, tesseract-ocr-eng")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${generated}/debian/postinst ${generated}/debian/postrm ${generated}/debian/conffiles
    ${generated}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
