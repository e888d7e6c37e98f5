# The Debian package: `cpack -G DEB` in the build folder makes lumina_<version>_<arch>.deb.
# The libraries the programs link are found by dpkg-shlibdeps. The media,
# speech and MIDI libraries are named as well, since the linker leaves out a
# library no code of a build calls yet; what the programs only
# load at run time (window system and media plug-ins, fonts, the soundfont, the
# speech plug-in) is named here.
set(CPACK_PACKAGE_NAME lumina)
set(CPACK_PACKAGE_VENDOR "Lumina developers")
set(CPACK_PACKAGE_CONTACT "Lumina developers <lumina@lumina-fareboard.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fare display board simulator of a Japanese route bus")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumina (ルミナ) simulates the fare display board at the front of a Japanese\n\
route bus together with the driver's control panel that drives it: the fares of\n\
every ticket number, the scrolling stop name, sounds, announcements and the\n\
ticket preview. A sample route with sounds and announcements is included.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/lumina-fareboard/lumina)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6multimedia6, libqt6texttospeech6, libfluidsynth3, qt6-qpa-plugins, libqt6svg6, qt6-speech-speechd-plugin, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fluid-soundfont-gm, fonts-dseg, xfonts-shinonome, fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-dotgothic16")
# Qt's own Japanese texts: the standard buttons say はい/いいえ.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "speech-dispatcher, speech-dispatcher-espeak-ng, pulseaudio | pipewire-pulse, qt6-translations-l10n")

include(CPack)
