list(APPEND ZAV_WIN_SOURCES
  ${ZAV_ROOT}/playback/media_commands.cpp
  ${ZAV_ROOT}/playback/open_media_dialog.cpp
  ${ZAV_ROOT}/playback/player_event_sink.cpp
  ${ZAV_ROOT}/playback/player_host.cpp
  ${ZAV_ROOT}/playback/system_sound_decoder.cpp
  ${ZAV_ROOT}/playback/transport.cpp
  ${ZAV_ROOT}/playback/transport_panel.cpp
)
