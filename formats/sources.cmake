list(APPEND ZAV_WIN_SOURCES
  ${ZAV_ROOT}/formats/asx_commands.cpp
  ${ZAV_ROOT}/formats/caption_length_dialog.cpp
  ${ZAV_ROOT}/formats/cue_commands.cpp
  ${ZAV_ROOT}/formats/file_dialogs.cpp
  ${ZAV_ROOT}/formats/producer_commands.cpp
  ${ZAV_ROOT}/formats/recovery_files.cpp
  ${ZAV_ROOT}/formats/recovery_settings_dialog.cpp
  ${ZAV_ROOT}/formats/sami_commands.cpp
  ${ZAV_ROOT}/formats/text_script_commands.cpp
  ${ZAV_ROOT}/formats/transcript_commands.cpp
)
