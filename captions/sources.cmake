list(APPEND ZAV_CORE_SOURCES
  ${ZAV_ROOT}/captions/caption_document.cpp
  ${ZAV_ROOT}/captions/caption_timing.cpp
  ${ZAV_ROOT}/captions/language_name.cpp
  ${ZAV_ROOT}/captions/time_text.cpp
)
list(APPEND ZAV_WIN_SOURCES
  ${ZAV_ROOT}/captions/add_language_dialog.cpp
  ${ZAV_ROOT}/captions/ansi_code_page.cpp
  ${ZAV_ROOT}/captions/caption_panel.cpp
  ${ZAV_ROOT}/captions/edit_start_time_dialog.cpp
  ${ZAV_ROOT}/captions/language_commands.cpp
  ${ZAV_ROOT}/captions/timing_commands.cpp
)
