// The suite's help: HTML Help files (.chm), one topic per context number.
// Each topic is the page "h<context>.htm" at the root of the compiled file,
// so a context opens as "<file>::/h<context>.htm" through HTML Help; the
// topic table of help/topics.txt is what the help files are built from.
#pragma once
#include <windows.h>

#include <string>

// "<helpFile>::/h<context>.htm": the address of a context's topic.
std::string HelpTopicAddress(const char *helpFile, unsigned context);

// Opens a help file at the topic of a context. Goes through the OpenHelp seam
// (common/seams.h) as a HELP_CONTEXT request, so tests record it; the real
// opener is OpenHtmlHelp. False when the viewer or the file is missing.
BOOL ShowHelpTopic(HWND owner, const char *helpFile, unsigned context);

// The real opener behind the seam: HELP_CONTEXT shows the context's topic,
// HELP_QUIT closes every help window of the process, any other request shows
// the file's default topic. HTML Help (hhctrl.ocx) is loaded on first use.
BOOL WINAPI OpenHtmlHelp(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data);
