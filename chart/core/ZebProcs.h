#pragma once
// State shared by the engine's routines and its start-up: the default canvas class, the line-break
// character, the hand cursor. The routines themselves live in one header per topic beside this one
// (HitTests, TextRoutines, DateTimeSteps, SortByCallbacks, ColorPalette, EditorRegistry,
// ResourceBitmaps, ControlRoutines, SystemRoutines, ParallelFor, ChartEvents, ExportData,
// ExceptionReport, FormTextToXml).
#include "platform/rtl/Types.h"

// The canvas class a new panel asks for ("TGDIPlusCanvas"); empty outside start-up .. shut-down.
extern String DefaultCanvasClassName;
// The character that breaks a chart text into lines: a carriage return; '\0' after shut-down.
extern char LineBreakChar;
// The screen cursor number of the engine's hand cursor.
constexpr int crZebHand = 2020;

// Runs once (later calls do nothing until StopEngineRoutines): DefaultCanvasClassName, the default
// palette, the hand cursor (from the program resource "ZEB_CURSOR_HAND" when present), the
// line-break character and the field separator.
void StartEngineRoutines();
// Empties the palette, removes the hand cursor, clears the line-break character, the field
// separator and DefaultCanvasClassName.
void StopEngineRoutines();
