list(APPEND ZAV_WIN_SOURCES
  ${ZAV_ROOT}/captions/add_language_dialog.cpp
  ${ZAV_ROOT}/captions/caption_editor.cpp
  ${ZAV_ROOT}/captions/caption_panel.cpp
  ${ZAV_ROOT}/captions/check_window.cpp
  ${ZAV_ROOT}/captions/edit_start_time_dialog.cpp
  ${ZAV_ROOT}/captions/language_combo.cpp
  ${ZAV_ROOT}/captions/language_commands.cpp
  ${ZAV_ROOT}/captions/row_controls.cpp
  ${ZAV_ROOT}/captions/timing_commands.cpp
)
