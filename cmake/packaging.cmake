# SPDX-License-Identifier: MIT
# The Debian package, built by CPack from the same install rules as
# `cmake --install`: ./build.sh package gives fumiyose_<version>_<arch>.deb.

# The home page is the maker's host that the program's web links use.
file(STRINGS ${CMAKE_SOURCE_DIR}/app/web_config.h maker_host_line REGEX "kMakerHost\\[\\] =")
string(REGEX MATCH "\"([^\"]+)\"" maker_host "${maker_host_line}")
set(maker_host ${CMAKE_MATCH_1})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "ふみよせ開発チーム <support@${maker_host}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "address side of Japanese New-Year postcards / 年賀状の宛名面の作成と印刷")
set(CPACK_PACKAGE_DESCRIPTION [=[
Fumiyose writes and prints the address side of Japanese New-Year postcards
(nengajo). It keeps an address book as Shift-JIS CSV, edits it card by card
or as a list, looks addresses and postal codes up in either direction, shows
a vertical-writing preview, turns address numbers into kanji numerals, and
prints onto 100 x 148 mm postcards with an optional sender block.

ふみよせは年賀状の宛名面を書いて印刷するプログラムです。住所録（Shift-JIS の
CSV）をカードごとに、または一覧表で編集し、郵便番号辞書で住所と郵便番号を
引き、縦書きの完成イメージを見ながら、はがきに印刷します。差出人も印刷でき
ます。]=])

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${maker_host}/")
# The libraries come from dpkg-shlibdeps; the faces, Qt's Japanese texts and an
# input method the program needs besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fcitx5-frontend-qt6 | ibus")

include(CPack)
