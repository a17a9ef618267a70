# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` puts under /usr; its dependencies are read from the
# libraries the program links, so they follow whatever the build used.
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "The Quillmere developers")
set(CPACK_PACKAGE_CONTACT "The Quillmere developers <quillmere@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rename many files or folders at once")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmere fills a list with the files or subfolders of one folder and renames\n\
them all in one run: delete, replace or insert text, number the entries, change\n\
the extension, convert traditional and simplified Chinese. New names can be\n\
previewed first, and a commit can be undone. Renames never overwrite a file.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/quillmere/Quillmere")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese names in the window need a font with CJK glyphs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")

set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Debian's place for the licence of what a package holds.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
