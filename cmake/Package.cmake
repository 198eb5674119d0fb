# `make package`: a Debian package of the program, its launcher, metainfo, icon, man page, and
# the copyright and changelog that Debian's policy asks of every package. Built with CPack from
# the install rules; dpkg-shlibdeps works out what it depends on.

include(GNUInstallDirs)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/kymata)

# Man page and changelog compressed as policy wants, without a time stamp so that the package
# is the same from one build to the next.
set(packed ${PROJECT_BINARY_DIR}/packed)
add_custom_command(OUTPUT ${packed}/kymata.1.gz ${packed}/changelog.gz
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${packed}
                   COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/kymata.1 > ${packed}/kymata.1.gz
                   COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/changelog > ${packed}/changelog.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/data/kymata.1 ${PROJECT_SOURCE_DIR}/data/changelog
                   VERBATIM)
add_custom_target(kymata-packed ALL DEPENDS ${packed}/kymata.1.gz ${packed}/changelog.gz)

install(TARGETS kymata RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/org.kymata.Kymata.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.kymata.Kymata.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.kymata.Kymata.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packed}/kymata.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright ${packed}/changelog.gz
        DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kymata)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kymata developers")
set(CPACK_PACKAGE_CONTACT "The Kymata developers <developers@kymata.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see why a lens focuses by counting wavelengths")
# The long description; CPack puts the summary above it and indents it as a control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kymata draws the construction of a converging lens for the classroom. A
point source sends rays into a glass lens; along every ray the whole
wavelengths in air are ticked, inside the glass the shorter ones, and equal
counts are joined into wavefronts. Four scroll bars set the source, the
focus, the refractive index and the thickness; a second construction draws a
hyperbolic lens, and the wave view follows every ray exactly to the focus.
Texts in Greek and English; figures print and save as PNG, SVG, PDF or JSON.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kymata.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The figure asks for Times New Roman, for which Liberation Serif stands in with the same metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
