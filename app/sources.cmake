list(APPEND ZAV_WIN_SOURCES
  ${ZAV_ROOT}/app/command_panel.cpp
  ${ZAV_ROOT}/app/main_window.cpp
  ${ZAV_ROOT}/app/main_window_commands.cpp
  ${ZAV_ROOT}/app/main_window_recovery.cpp
  ${ZAV_ROOT}/app/recovery_keeper.cpp
  ${ZAV_ROOT}/app/message_loop.cpp
  ${ZAV_ROOT}/app/program.cpp
)
