#pragma once
// A film's sound as PCM inside a DirectShow graph: the file's source filter, then
// whatever splitter and decoder intelligent connect finds, then DirectShow's Sample
// Grabber accepting only PCM audio, then a Null Renderer. The grabber is the gate:
// the Null Renderer takes any stream, so connected straight to a splitter it would
// swallow compressed data; behind the grabber it only ever sees decoded sound.
//
// Standard DirectShow only: the grabber and the Null Renderer are filters of
// qedit.dll, on every Windows since XP and in Wine. Their class ids are missing
// from MinGW's qedit.h and are defined here.

#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "win/com_ptr.h"

namespace zav {

inline constexpr CLSID kClsidSampleGrabber = {0xC1F400A0, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
inline constexpr CLSID kClsidNullRenderer = {0xC1F400A4, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// Adds the chain above to graph for the first sound stream of the file at path. The
// grabber's media type leaves the wave format open, so the decoder offers its own
// rate and channels. Returns the source filter's error when the file cannot be
// opened, VFW_E_NOT_FOUND when no output of it leads to PCM sound; on failure the
// filters added are removed again.
HRESULT addPcmSoundChain(IGraphBuilder* graph, const std::wstring& path, ComPtr<ISampleGrabber>& grabber);

// The filter's first pin of the direction, or null.
ComPtr<IPin> firstPin(IBaseFilter* filter, PIN_DIRECTION direction);

// Frees what a media type holds, its format block and its pUnk; not the struct.
void freeMediaTypeContents(AM_MEDIA_TYPE& type);

// The PCM layout the grabber's input was connected with.
struct PcmLayout {
    int sampleRate = 0;
    int channels = 0;
    int bytesPerSample = 0;  // of one channel's sample, in the container
    bool isFloat = false;
};

// Reads the layout of a wave-format media type; false when it is not PCM or float
// sound of 8, 16, 24 or 32 bits (or 64-bit float) that this program can convert.
bool pcmLayoutOf(const AM_MEDIA_TYPE& type, PcmLayout& layout);

// Converts count samples of the layout to 16 bits: integers keep their top 16 bits,
// floats are scaled by 32768 and clamped.
void convertToInt16(const BYTE* in, std::size_t count, const PcmLayout& layout, std::int16_t* out);

}  // namespace zav
