#pragma once

#include <QPixmap>

// The application's picture: used as window icon and in the About box, drawn once so that no image
// file has to ship with the program.
QPixmap AppPicture(int size);
