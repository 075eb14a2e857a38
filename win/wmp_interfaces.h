#pragma once
// The media player's automation interfaces as this program uses them. MinGW's wmp.h
// lacks IWMPControls3, so it is declared here with its vtable in the player's order;
// the identifiers are defined here too, so nothing depends on an import library
// carrying them.

#include <windows.h>
#include <ole2.h>
#include <wmp.h>

namespace zav::wmp {

// {6BF52A52-394A-11d3-B153-00C04F79FAA6}
inline constexpr CLSID kClsidPlayer = {0x6bf52a52, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
inline constexpr wchar_t kClsidPlayerText[] = L"{6BF52A52-394A-11d3-B153-00C04F79FAA6}";
inline constexpr IID kIidPlayer4 = {0x6c497d62, 0x8919, 0x413c, {0x82, 0xdb, 0xe9, 0x35, 0xfb, 0x3e, 0xc5, 0x84}};
inline constexpr IID kIidControls = {0x74c09e02, 0xf828, 0x11d2, {0xa7, 0x4b, 0x00, 0xa0, 0xc9, 0x05, 0xf3, 0x6e}};
inline constexpr IID kIidControls2 = {0x6f030d25, 0x0890, 0x480f, {0x97, 0x75, 0x1f, 0x7e, 0x40, 0xab, 0x5b, 0x8e}};
inline constexpr IID kIidControls3 = {0xa1d1110e, 0xd545, 0x476a, {0x9a, 0x78, 0xac, 0x3e, 0x4c, 0xb1, 0xe6, 0xbd}};
inline constexpr IID kIidSettings = {0x9104d1ab, 0x80c9, 0x4fed, {0xab, 0xf0, 0x2e, 0x64, 0x17, 0xa6, 0xdf, 0x14}};
inline constexpr IID kIidMedia = {0x94d55e95, 0x3fac, 0x11d3, {0xb1, 0x55, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
inline constexpr IID kIidClosedCaption = {0x4f2df574, 0xc588, 0x11d3, {0x9e, 0xd0, 0x00, 0xc0, 0x4f, 0xb6, 0xe9, 0x37}};
inline constexpr IID kIidEvents = {0x19a6627b, 0xda9e, 0x47c1, {0xbb, 0x23, 0x00, 0xb5, 0xe6, 0x68, 0x23, 0x6a}};
inline constexpr IID kIidOcxEvents = {0x6bf52a51, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
// {B6EA2050-048A-11D1-82B9-00C04FB9942E}
inline constexpr IID kIidAxWinHostWindow = {0xb6ea2050, 0x048a, 0x11d1, {0x82, 0xb9, 0x00, 0xc0, 0x4f, 0xb9, 0x94, 0x2e}};

// Open state "media open" and play state "stopped" as the player reports them.
inline constexpr long kOpenStateMediaOpen = 13;
inline constexpr long kPlayStateStopped = 1;
inline constexpr long kPlayStatePaused = 2;
inline constexpr long kPlayStatePlaying = 3;

}  // namespace zav::wmp

// IWMPControls3 extends IWMPControls2 with audio-language and timecode calls.
struct IWMPControls3 : public IWMPControls2 {
    virtual HRESULT STDMETHODCALLTYPE get_audioLanguageCount(long* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE getAudioLanguageID(long index, long* langId) = 0;
    virtual HRESULT STDMETHODCALLTYPE getAudioLanguageDescription(long index, BSTR* description) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_currentAudioLanguage(long* langId) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_currentAudioLanguage(long langId) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_currentAudioLanguageIndex(long* index) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_currentAudioLanguageIndex(long index) = 0;
    virtual HRESULT STDMETHODCALLTYPE getLanguageName(long langId, BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_currentPositionTimecode(BSTR* timecode) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_currentPositionTimecode(BSTR timecode) = 0;
};
