# `make package`: a Debian package of what the install rules put in place, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "capture, annotate and share the screen")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A capture tool that lives in the tray: frame a region, annotate it, save, copy or upload it.\n"
    "It records screen areas to GIF or MP4, with a ruler, a QR scanner and text recognition.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorvel <packages@${QUORVEL_SITE_HOST}>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries it links are found by dpkg-shlibdeps; the rest is loaded at run time and no
# linker sees it: the Qt SVG plugins draw the icons, and Qt's media player, which plays a
# recording's sound in the video editor, fails hard without GStreamer's player and audio sinks.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# ffmpeg puts the recording's sound into an edited video, GStreamer's libav plugin decodes its AAC,
# xdg-utils opens the browser for the login, and the image format plugins read further formats.
string(CONCAT CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "ffmpeg, gstreamer1.0-libav, xdg-utils, qt6-image-formats-plugins")
include(CPack)
