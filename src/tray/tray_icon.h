// The notification-area icon component (filled in by the tray change).
#pragma once

class TTrayIcon {
};
