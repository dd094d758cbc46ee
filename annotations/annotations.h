// The annotations: the user's notes on map cells, their file annotate.csv in the current
// directory, the Annotation dialog that edits them and their markers on the map.
#pragma once

#include <windows.h>

#include "annotations/annotation_table.h"

// The notes of the run. Empty until LoadAnnotations creates it; never reloaded.
extern AnnotationTable annotationTable;

// Control ids of the Annotation dialog.
enum AnnotationControl {
    kCommentBox = 2000,
    kSaveButton = 2001,
    kDeleteButton = 2002,
    kCancelButton = 2003,
    kHorizontalCaption = 2004,
    kCellXReadout = 2005,
    kVerticalCaption = 2006,
    kCellYReadout = 2007,
    kLevelCaption = 2008,
    kCellLevelReadout = 2009,
};

// Reads annotate.csv into a new table and clones a parked marker sprite for each row read. Call
// once, after the annotation template sprite exists. A missing or unreadable file gives no notes.
void LoadAnnotations();

// Rewrites annotate.csv from the table. The new file replaces the old one whole, so a save that
// fails at any point leaves the old file as it was; the table keeps its change for the next save.
void SaveAnnotations();

// Shows the markers of the current level on their cells, hides all others, and repaints the Map
// window's image control.
void PlaceMarkers();

// Runs the Annotation dialog for the click cell on the current level; returns when it has ended.
void ShowAnnotationDialog(HWND owner);
