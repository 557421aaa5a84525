#pragma once

class CliSession;

// nomira-cli edit FILE [--rotate left|right]... [--deskew X1,Y1,X2,Y2]
//                 [--denoise N [--region rect|ellipse:X,Y,W,H (--inside|--outside)]] [--out OUT]
int runEditCommand(CliSession& session);
