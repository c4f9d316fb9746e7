#include "core/TextTable.h"

namespace {

struct Entry {
    int id;
    const char *text;
};

// The program's own string table; a language module holds the same ids.
constexpr Entry englishEntries[] = {
    {1, "<Error>"},
    {2, "Not enough number of colors.\r\nThis program needs that Windows be configured with 16 "
        "bits of color (or more) to work properly. Click OK to continue with this "
        "configuration, but the game probably will NOT looks good and will runs slowly, or "
        "click Cancel to exit."},
    {100, "%s has been eliminated by %s"},
    {101, "%s has been destroyed by %s"},
    {102, "%s has lost against %s"},
    {103, "%s has suffered the %s anger"},
    {104, "%s has perished against %s"},
    {1002, "Error"},
    {1003, "Fatal error"},
    {1004, "Error while writing in the Windows Registry."},
    {1008, "Error opening %s."},
    {1009, "Error while running the associated program"},
    {1010, "%s is not a valid number."},
    {10000, "Do you want to leave the current game?"},
    {10001, "Game Over"},
    {10002, "Stage %d complete"},
    {10003, "Stage %d\n\nJoin %d or more gems to eliminate them."},
    {10004, "\nRocks fall randomly."},
    {10005, "\nLines of rocks appear."},
    {10006, "Level %d reached"},
    {10007, "First place bonus: %d"},
    {10008, "Waiting for the other player..."},
    {10009, "Gems remaining: %d"},
    {10010, "Rocks to fall: %d"},
    {10011, "&Continue"},
    {10012, "&Pause"},
    {10013,
     "The aim of the game is to eliminate gems. Gems of the same colour that touch each other "
     "form a group, and a group vanishes as soon as it holds as many gems as the current "
     "limit. Gems join horizontally and vertically, never diagonally.\n\n"
     "Rocks do not join and cannot be eliminated that way: a rock is destroyed when gems "
     "next to it are eliminated.\n\n"
     "There are two ways to play:\n\n"
     "By stages: one or two players go through all the stages. The limit starts at 4 and may "
     "change from one stage to the next. In some stages rocks fall at random, and in others "
     "lines of rocks rise from the bottom.\n\n"
     "One to one: two players face each other on the same stage, and the limit is always 4. "
     "Eliminating more than 4 gems at once drops rocks into the other player's well: the "
     "more gems and the more groups you eliminate at once, the more rocks fall. Joker gems, "
     "which stand for any colour, may also appear."},
    {10014, "Quick help"},
    {10015, "&One player"},
    {10016, "&Two players"},
    {10017, "O&ne to one"},
    // Start hints in the status strips while no game runs.
    {10018, "F2: new game"},
    {10019, "F1: help"},
    {10100, "&New game"},
    {10101, "&Pause"},
    {10102, "H&igh scores..."},
    {10103, "&Game mode"},
    {10104, "&Define keys..."},
    {10105, "&Sound"},
    {10106, "&Language"},
    {10107, "&Help..."},
    {10108, "&About..."},
    {10109, "E&xit"},
    {10110, "&Window size"},
    {10111, "&Full screen"},
    {10112, "Pla&yers"},
    {10113, "Person"},
    {10400, "7"},
    {10401, "0"},
    {10402, "r"},
    {10800, "Menu (ALT+M)"},
    {10801, "Minimize"},
    {10802, "Close"},
    {11100, "Define keys"},
    {11101, "Player 1"},
    {11102, "Player 2"},
    {11103, "Left:"},
    {11104, "Right:"},
    {11105, "Rotate:"},
    {11106, "Step down:"},
    {11107, "Throw:"},
    {11108, "Interchange keys"},
    {11109, "OK"},
    {11110, "Cancel"},
    {12000, "Player 1"},
    {12001, "Player 2"},
    {12002, "The two player has the same name"},
    {12003, "Identical name"},
    {12100, "Players names"},
    {12101, "Player 1:"},
    {12102, "Player 2:"},
    {12103, "&OK"},
    {13000, "%d points"},
    {13100, "New record"},
    {13101, "Congratulations! You get one of the ten best scores. Enter your name for the high "
            "scores table:"},
    {13102, "&OK"},
    {14000, "(no name)"},
    {14001, "Are you sure that you want to delete the By-Stage high scores?"},
    {14002, "Are you sure that you want to delete the One-to-One high scores?"},
    {14003, "Delete One-to-One player"},
    {14004, "Delete player number:"},
    {14100, "High scores"},
    {14101, "BY STAGES:"},
    {14102, "ONE TO ONE:"},
    {14103, "Name:"},
    {14104, "Points:"},
    {14105, "Stage:"},
    {14106, "Played:"},
    {14107, "Won:"},
    {14108, "Delete player..."},
    {14109, "Delete Vs scores"},
    {14110, "Delete stage scores"},
    {14111, "&OK"},
    {15100, "Congratulations!"},
    {15101, "You have finished all the stages of Cobaltix!"},
    {15102, "If you still want more, look for some friends to play One to One mode. Visit our "
            "web page from time to time for updates, new stages and more games."},
    {15103, "&OK"},
    // CPU players: the five levels and the name a CPU plays under.
    {16000, "Beginner"},
    {16001, "Easy"},
    {16002, "Medium"},
    {16003, "Hard"},
    {16004, "Master"},
    {16005, "CPU %s"},
    // The pads: the key dialog's pad part, the button names and the hot-plug notice.
    {16100, "Pads"},
    {16101, "Pad:"},
    {16102, "No pad"},
    {16103, "Press a button"},
    {16104, "The pad of player %d has been disconnected. The game is paused; the keys still work."},
    {16110, "A"},
    {16111, "B"},
    {16112, "X"},
    {16113, "Y"},
    {16114, "Back"},
    {16115, "Guide"},
    {16116, "Start"},
    {16117, "Left stick click"},
    {16118, "Right stick click"},
    {16119, "Left shoulder"},
    {16120, "Right shoulder"},
    {16121, "D-pad up"},
    {16122, "D-pad down"},
    {16123, "D-pad left"},
    {16124, "D-pad right"},
    {16125, "Stick left"},
    {16126, "Stick right"},
    {16127, "Stick up"},
    {16128, "Stick down"},
    {16129, "Left trigger"},
    {16130, "Right trigger"},
    // Network games: the menu item, the dialog, the status and the messages.
    {17000, "Ne&twork game..."},
    {17001, "Network game"},
    {17002, "&Host a game"},
    {17003, "&Join a game"},
    {17004, "Port:"},
    {17005, "Your name:"},
    {17006, "Played by:"},
    {17007, "Announce it on the local network"},
    {17008, "Games on the local network:"},
    {17009, "&Play"},
    {17010, "Waiting for the other player on port %d"},
    {17011, "Connecting to %s"},
    {17012, "Round trip %d ms, delay %d ms"},
    {17013, "Waiting for the other player"},
    {17014, "Leave the network game?"},
    {17015, "Address:"},
    {17016, "Type the address of the host."},
    {17017,
     "The other player has not been heard from for a few seconds: the game ends without a result."},
    {17018, "The other player left the game."},
    {17019,
     "The other side runs version %s; this is version %s. Both players need the same version."},
    {17020, "The two machines no longer agree on the game: it is stopped."},
    {17021, "No connection with the other player: %s."},
    {17022, "Cancel"},
    {17023, "The game's replay is kept for a look at what went wrong: %s."},
    // Replays: their window, watching, playing on, and the files' problems.
    {16200, "Replays"},
    {16201, "Date"},
    {16202, "Mode"},
    {16203, "Players"},
    {16204, "Result"},
    {16205, "Points"},
    {16206, "Length"},
    {16207, "All modes"},
    {16208, "&Watch"},
    {16209, "&Keep for good"},
    {16210, "&Delete"},
    {16211, "&Close"},
    {16212, "Kept"},
    {16213, "Do you want to delete this replay?"},
    {16214, "%s won"},
    {16215, "Stage %d reached"},
    {16216, "All stages done"},
    {16217, "Stopped"},
    {16218, "Unfinished"},
    {16219, "Not listed:"},
    {16220, "%s is not a Cobaltix replay."},
    {16221, "%s was recorded by a newer version of Cobaltix, which this one cannot read."},
    {16222, "%s is cut short before its game begins."},
    {16223, "%s is damaged (at byte %d)."},
    {16224, "Games cannot be recorded in %s (%s). The game goes on without its replay."},
    {16225, "There is no game to watch yet."},
    {16226, "Play from &here"},
    {16227, "&Replays..."},
    {16228, "Watch th&e last game"},
    {16229, "Stop watching"},
    {16230, "Pause"},
    {16231, "Play"},
    {16232, "Step"},
    {16233,
     "This replay does not end as it was recorded: it was made by another version of Cobaltix."},
    {16234, "Machines disagreed at step %d"},
    {64100, "&OK"},
    {64101, "&Cancel"},
    {65000, "About"},
    {65001, "Version %d.%.d%s"},
    {65002, "Suggestions and bug reports are welcome by e-mail."},
    {65003, "This game is free for private, non-commercial use."},
    {65004, "This game is provided as is, without warranty of any kind. The authors accept no "
            "responsibility for any damage that may come from its use."},
    {65005, "&OK"},
};

TextTable buildEnglish() {
    TextTable table;
    for (const Entry &e : englishEntries)
        table.insert(e.id, QString::fromUtf8(e.text));
    return table;
}

} // namespace

const TextTable &EnglishTexts() {
    static const TextTable table = buildEnglish();
    return table;
}
