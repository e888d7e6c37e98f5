#include "shell/Form1.h"

namespace lumina {

// Stand-in until the scaled board arrives: the board is drawn at its own size.
void Form1::setBoardScale(int scale)
{
    Q_UNUSED(scale);
}

int Form1::boardScale() const
{
    return 1;
}

} // namespace lumina
