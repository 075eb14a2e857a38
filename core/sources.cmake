# The portable core: no windows.h; built natively and into the program.
list(APPEND ZAV_CORE_SOURCES
  ${ZAV_ROOT}/core/asx_playlist.cpp
  ${ZAV_ROOT}/core/audio_envelope.cpp
  ${ZAV_ROOT}/core/band_energy.cpp
  ${ZAV_ROOT}/core/caption_document.cpp
  ${ZAV_ROOT}/core/caption_listing.cpp
  ${ZAV_ROOT}/core/caption_timing.cpp
  ${ZAV_ROOT}/core/cue_document.cpp
  ${ZAV_ROOT}/core/cue_file.cpp
  ${ZAV_ROOT}/core/cue_text.cpp
  ${ZAV_ROOT}/core/cue_writer.cpp
  ${ZAV_ROOT}/core/document_history.cpp
  ${ZAV_ROOT}/core/language_name.cpp
  ${ZAV_ROOT}/core/sami_format.cpp
  ${ZAV_ROOT}/core/sami_import.cpp
  ${ZAV_ROOT}/core/sami_markup.cpp
  ${ZAV_ROOT}/core/sami_parser.cpp
  ${ZAV_ROOT}/core/sami_style_rules.cpp
  ${ZAV_ROOT}/core/sami_tolerant_reader.cpp
  ${ZAV_ROOT}/core/speech_detector.cpp
  ${ZAV_ROOT}/core/text_encoding.cpp
  ${ZAV_ROOT}/core/text_script.cpp
  ${ZAV_ROOT}/core/time_text.cpp
  ${ZAV_ROOT}/core/transcript_text.cpp
  ${ZAV_ROOT}/core/transport_values.cpp
  ${ZAV_ROOT}/core/wav_reader.cpp
)
