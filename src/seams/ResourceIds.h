/* Resource numbers shared by the code and crepuscule.rc (plain defines for windres). */
#pragma once

/* Icons */
#define IDI_SHUTDOWN 101
#define IDI_RESTART 102
#define IDI_SLEEP 103
#define IDI_COUNT1 104
#define IDI_COUNT2 105
#define IDI_COUNT3 106
#define IDI_COUNT4 107
#define IDI_COUNT5 108
#define IDI_IDLE 112
#define IDI_SHUTDOWN16 121
#define IDI_RESTART16 122
#define IDI_SLEEP16 123

/* Bitmaps of the main window */
#define IDB_FOND 200
#define IDB_ARRETE 201
#define IDB_ARRETE_BRILLANT 202
#define IDB_ARRETE_E 203
#define IDB_REBOOTE 204
#define IDB_REBOOTE_BRILLANT 205
#define IDB_REBOOTE_E 206
#define IDB_VEILLE 207
#define IDB_VEILLE_BRILLANT 208
#define IDB_VEILLE_E 209
#define IDB_MIN 210
#define IDB_MIN_BRILLANT 211
#define IDB_MIN_E 212
#define IDB_CLSE 213
#define IDB_CLSE_BRILLANT 214
#define IDB_CLOSE_E 215
#define IDB_DISABLE 216
/* Pictures of the countdown window */
#define IDB_ARRET_PICT 220
#define IDB_REBOOTE_PICT 221
#define IDB_STANDBY_PICT 222
