#include "pad/PadSeats.h"

#include <algorithm>

int PadSeats::connect(int pad) {
    if (std::find(pads.begin(), pads.end(), pad) != pads.end())
        return player(pad);
    pads.push_back(pad);
    for (int n = 0; n < 2; ++n) {
        if (seat[size_t(n)] < 0) {
            seat[size_t(n)] = pad;
            return n + 1;
        }
    }
    return 0;
}

int PadSeats::disconnect(int pad) {
    std::erase(pads, pad);
    const int was = player(pad);
    if (was)
        seat[size_t(was - 1)] = -1;
    return was;
}

int PadSeats::player(int pad) const {
    if (pad < 0)
        return 0;
    for (int n = 0; n < 2; ++n)
        if (seat[size_t(n)] == pad)
            return n + 1;
    return 0;
}

int PadSeats::pad(int number) const {
    return number == 1 || number == 2 ? seat[size_t(number - 1)] : -1;
}

void PadSeats::assign(int number, int pad) {
    if (number != 1 && number != 2)
        return;
    if (pad >= 0 && std::find(pads.begin(), pads.end(), pad) == pads.end())
        return;
    int &mine = seat[size_t(number - 1)];
    int &theirs = seat[size_t(2 - number)];
    if (pad >= 0 && theirs == pad)
        theirs = mine;
    mine = pad;
}
