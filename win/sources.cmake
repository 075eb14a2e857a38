# The window framework: window and dialog bases, the modal-UI seam, COM and handle
# owners, error reports, the ANSI code page and the player's interface declarations.
# It includes nothing of the program but the portable core's converter interface.
list(APPEND ZAV_WIN_SOURCES
  ${ZAV_ROOT}/win/ansi_code_page.cpp
  ${ZAV_ROOT}/win/error_report.cpp
  ${ZAV_ROOT}/win/file_io.cpp
  ${ZAV_ROOT}/win/modal_ui.cpp
  ${ZAV_ROOT}/win/pcm_sound_graph.cpp
  ${ZAV_ROOT}/win/settings.cpp
  ${ZAV_ROOT}/win/window_text.cpp
)
