# `cpack -G DEB` in the build folder: tarvex_<version>_<arch>.deb with the install layout,
# its library dependencies computed from the binary by dpkg-shlibdeps.
set(TVX_PACKAGE_MAINTAINER "The Tarvex developers <tarvex@tarvex-game.org>"
    CACHE STRING "Maintainer named in the package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR "The Tarvex developers")
set(CPACK_PACKAGE_CONTACT "${TVX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade driving game on an endless road")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack puts the summary on the first line and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvex is a 2D arcade driving game. You steer a car up an endless,
vertically scrolling road, dodge traffic and explosive barrels, pick up
repairs, fire-jet boosts and dizziness traps, and try to survive twenty
timed levels before the damage bar fills. The ten best scores are kept
in a ranking.")
# The archive is already compressed; gzip packs as small as xz here and much faster.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)

include(CPack)
