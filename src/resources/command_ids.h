#pragma once

// Command ids, shared by the menus, the toolbars, the document's command states and the
// command-line front end.
namespace plantrek::command_id {

// Application
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelpFinder = 57667;
inline constexpr int kHelpIndex = 57670;
inline constexpr int kHelp = 57671;

// Edit (the main frame's clip commands and the document's undo)
inline constexpr int kEditClear = 57632;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;

// Rooms
inline constexpr int kAddRoom = 32771;
inline constexpr int kAddWall = 32772;
inline constexpr int kRoomProperties = 32773;
inline constexpr int kEditWall = 32774;
inline constexpr int kMoveStartPoint = 32776;
inline constexpr int kCloseSquare = 32781;
inline constexpr int kCloseReverseSquare = 32783;
inline constexpr int kCloseAngled = 32785;
inline constexpr int kMoveRoom = 32790;
inline constexpr int kPreferences = 32794;
inline constexpr int kRotateRoom = 32796;
inline constexpr int kReflectRoom = 32797;
inline constexpr int kReverseWalls = 32798;
inline constexpr int kDragMode = 32800;
inline constexpr int kAngleWall = 32801;
inline constexpr int kRoomSummary = 32803;
inline constexpr int kReplaceWall = 32806;
inline constexpr int kBringToFront = 32807;
inline constexpr int kSendToBack = 32808;
inline constexpr int kAddProjection = 32809;
inline constexpr int kArcWall = 32810;
inline constexpr int kMoveWallEnd = 32812;
inline constexpr int kMoveRoomStart = 32813;
inline constexpr int kConvertAddedWalls = 32814;
inline constexpr int kEditMaterials = 32815;
inline constexpr int kDeleteRoom = 32830;
inline constexpr int kEditRoomAnnotation = 32843;
inline constexpr int kEditSiteAnnotation = 32844;
inline constexpr int kRelativeDirections = 32855;

// Plan view
inline constexpr int kZoomToFit = 32791;
inline constexpr int kZoomIn = 32792;
inline constexpr int kZoomOut = 32793;
inline constexpr int kSnapSelection = 32804;
inline constexpr int kExport = 32832;
inline constexpr int kCuePreviousAnnotation = 32836;
inline constexpr int kPlayAnnotation = 32837;
inline constexpr int kStopAnnotation = 32840;
inline constexpr int kCueNextAnnotation = 32841;
inline constexpr int kRecordAnnotation = 32842;

// Main frame
inline constexpr int kFileClose = 57602;
inline constexpr int kFileMru1 = 57616;  // the recent files are 57616 to 57619
inline constexpr int kAppExit = 57665;
inline constexpr int kWindowNew = 57648;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kReconnectDisto = 32795;
inline constexpr int kSelectionPane = 32817;
inline constexpr int kMeasurementInput = 32825;
inline constexpr int kKeypad = 32856;
inline constexpr int kCustomize = 35001;
inline constexpr int kWallLengths = 32900;
inline constexpr int kAddDoor = 32901;
inline constexpr int kAddWindow = 32902;
inline constexpr int kAddOpening = 32903;
inline constexpr int kEditOpening = 32904;
inline constexpr int kDeleteOpening = 32905;
inline constexpr int kCheckPlan = 32930;
inline constexpr int kLevelAbove = 32940;
inline constexpr int kLevelBelow = 32941;
inline constexpr int kShowLevelBelow = 32942;
inline constexpr int kAddLevel = 32943;
inline constexpr int kLevelProperties = 32944;
inline constexpr int kDeleteLevel = 32945;
inline constexpr int kMoveRoomToLevel = 32946;

}  // namespace plantrek::command_id
