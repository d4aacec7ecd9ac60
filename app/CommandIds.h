// Command identifiers: the menu, the accelerators and the toolbar reach the handlers by them.
#pragma once

enum CommandId : int {
    ID_SEPARATOR = 0,
    ID_REPORT = 32771,
    ID_SETUP_GAGE_INFO = 32772,
    ID_CREATE_COMPENSATION = 32773,
    ID_FILE_EXPORT_PDF = 32774,  // ours: a lab files its reports as PDF
    ID_FILE_NEW = 57600,         // "Load Raw Data"
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};
