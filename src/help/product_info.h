// Who made the program and what else the maker offers: each name, address
// and product title exists once here and is used by both the caption that
// shows it and the handler that copies or opens it.
#pragma once

// The program's own name, with its version.
constexpr char kProductName[] = "博闲托盘区开始菜单2.1";

// The maker's home on the web: every page of ours lies below it, so moving
// the site means changing this one line.
#define TRAYSTART_PROJECT_HOME "https://www.qinghegongfang.example/"
constexpr char kProjectHome[] = TRAYSTART_PROJECT_HOME;
// This program's download page (the help menu's "本软升级页面" and its entry
// among the maker's products).
constexpr char kDownloadPage[] = TRAYSTART_PROJECT_HOME "download/traystart.html";

// The author, as the about box presents him.
constexpr char kAuthorName[] = "青禾居士";
constexpr char kAuthorRegion[] = "江南水乡";
constexpr char kAuthorMail[] = "author@qhgf.example";
constexpr char kAuthorSite[] = TRAYSTART_PROJECT_HOME;

// The maker's series of programs (the links menu's first submenu).
constexpr char kProductSeries[] = "青禾工坊系列软件";

// The feedback tool: its folder beside the program and its executable.
constexpr char kFeedbackFolder[] = "青禾工坊_用户反馈表";
constexpr char kFeedbackExe[] = "用户反馈表.exe";
