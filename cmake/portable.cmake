# Decision logic that needs no window: compiled into the Windows program and,
# on the host, with the sanitizers and the fuzzer. Later subsystems append here.
set(PORTABLE_SOURCES
  src/app/version_name.cpp
  src/app/settings_reader.cpp
  src/framework/error_text.cpp
  src/launcher/shortcut_names.cpp
  src/launcher/shortcut_scan.cpp
  src/tray/tray_click_logic.cpp
  src/launcher/popup_caption.cpp
  src/launcher/hook_notification.cpp
)
set(PORTABLE_TESTS
  tests/app/version_name_test.cpp
  tests/app/settings_reader_test.cpp
  tests/framework/error_text_test.cpp
  tests/launcher/shortcut_names_test.cpp
  tests/launcher/shortcut_scan_test.cpp
  tests/tray/tray_click_logic_test.cpp
  tests/tray/popup_caption_test.cpp
  tests/launcher/hook_notification_test.cpp
)
