# The Debian package (`cpack -G DEB` in the build folder): the three programs, the menu entry,
# the icons, the AppStream metadata, the manual pages, the copyright and the changelog.
include(GNUInstallDirs)

set(_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_icons ${PROJECT_SOURCE_DIR}/src/ui/icons)
set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/hosting-client)
set(_appstream_id invalid.hostingclient.HostingClient)
# Directories of the package are 0755 whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS hosting-client platform-sandbox qrgen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_packaging}/hosting-client.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/${_appstream_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The PNGs are rendered from the SVG: rsvg-convert -w N -h N hosting-client.svg -o hosting-client-N.png
foreach(size 16 32 48 64 128 256)
  install(FILES ${_icons}/hosting-client-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME hosting-client.png)
endforeach()
install(FILES ${_icons}/hosting-client.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and the changelog go compressed, without a name or time stamp in the gzip header.
set(_compressed)
foreach(file qrgen.1 platform-sandbox.1 hosting-client.1 changelog)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
                     COMMAND gzip -9n -c ${_packaging}/${file} > ${output}
                     DEPENDS ${_packaging}/${file} VERBATIM)
  list(APPEND _compressed ${output})
endforeach()
add_custom_target(hosting_package_files ALL DEPENDS ${_compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/qrgen.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/packaging/platform-sandbox.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/packaging/hosting-client.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_packaging}/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hosting-client)
set(CPACK_PACKAGE_VENDOR "The hosting client authors")
set(CPACK_PACKAGE_CONTACT "The hosting client authors <authors@hosting-client.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client of an account-hosting platform")
set(CPACK_PACKAGE_DESCRIPTION
    "A member signs in with a captcha or registers, hosts accounts by showing a QR\n"
    "code that the account's phone scans, and follows the hosted accounts, the\n"
    "earnings, the balances and the withdrawals.\n"
    "\n"
    "Also holds platform-sandbox, a local stand-in for the platform, and qrgen, a\n"
    "command-line QR code generator.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# hosting-client opens libcurl.so.4 at its first request (no link the scan above could see).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4")
# Without a CJK font, the Chinese of every window draws as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
