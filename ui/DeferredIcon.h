#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

#include <functional>

// An icon that is made when it is first drawn or asked for a picture, so that making it costs nothing on the
// way to the first window. sizes are the sizes it will have, told without making it; leave them empty when
// they are not known.
QIcon deferredIcon(std::function<QIcon()> make, QList<QSize> sizes = {});
