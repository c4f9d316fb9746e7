#include "engine/Tipos.h"

int TColaFichas::Generate() {
    int colour = 0;
    if (rng->takeForcedColour(colour)) {
        entries.push_back(colour);
        return colour;
    }
    const int r = rng->Random(100);
    if (r >= 1 && r <= RepeatChance && !entries.empty())
        colour = entries.front();
    else
        colour = 1 + rng->Random(5);
    if (Jokers && (r == 0 || r == 99))
        colour = Cell::Joker;
    entries.push_back(colour);
    return colour;
}

int TColaFichas::Take() {
    if (entries.empty())
        return -1;
    const int colour = entries.front();
    entries.pop_front();
    return colour;
}

bool TColaFichas::PeekTwo(int &first, int &second) const {
    first = entries.size() > 0 ? entries[0] : 0;
    second = entries.size() > 1 ? entries[1] : 0;
    return entries.size() > 1;
}

bool TColaPos::Pop(int &col, int &row) {
    if (IsEmpty())
        return false;
    col = entries[head].col;
    row = entries[head].row;
    if (++head == entries.size())
        Clear();
    return true;
}

bool TColaPos::Contains(int col, int row) const {
    for (size_t i = head; i < entries.size(); ++i)
        if (entries[i].col == col && entries[i].row == row)
            return true;
    return false;
}

bool TColaDib::Pop(int &col, int &row, int &code) {
    if (IsEmpty())
        return false;
    const Entry &e = entries[head];
    col = e.col;
    row = e.row;
    code = e.code;
    if (++head == entries.size())
        Clear();
    return true;
}

void TColaMsg::Pop(QString &text) {
    if (entries.empty()) {
        text.clear();
        return;
    }
    text = std::move(entries.front());
    entries.pop_front();
}

TInfo::TInfo(int number, const PlayerViews &views, const TPictures &pictures, TRandom &random,
             const QString &name, int channel1, int channel2)
    : Number(number), NextColours(random), Channel1(channel1), Channel2(channel2), View(views),
      Pictures(pictures), Name(name) {
    for (int c = -1; c <= 7; ++c) {
        Board(c, -1) = Cell::Border;
        Board(c, 16) = Cell::Border;
    }
    for (int r = -1; r <= 16; ++r) {
        Board(-1, r) = Cell::Border;
        Board(7, r) = Cell::Border;
    }
}

void TInfo::ResetBoard() {
    if (QImage *well = wellImage()) {
        *well = Pictures.FondoVacio;
        wellChanged(well->rect());
    }
    for (int c = 0; c < TBoard::Columns; ++c)
        for (int r = 0; r < TBoard::Rows; ++r)
            Board(c, r) = Cell::Empty;
}

void TInfo::ResetQueues() {
    Falling = false;
    NextColours.Clear();
    Messages.Clear();
    Animating = false;
    Drawings.Clear();
}

void TInfo::DiscardDrawings() {
    Drawings.Clear();
    Animating = LandingPending = false;
}

void TInfo::ResetCounters() {
    StageDone = RocksFallen = LandingPending = Active = false;
    Level = 1;
    Points = StageEliminated = Eliminated = RocksPending = GemsDealt = 0;
    if (View.PointsLabel)
        View.PointsLabel->setText(QStringLiteral("0"));
    if (View.EliminatedLabel)
        View.EliminatedLabel->setText(QStringLiteral("0"));
    if (View.LevelLabel)
        View.LevelLabel->setText(QStringLiteral("1"));
    setTickInterval(500);
    ClearPreview();
}

void TInfo::ShowPoints() {
    if (View.PointsLabel)
        View.PointsLabel->setText(QString::number(Points));
}

void TInfo::ShowEliminated() {
    if (View.EliminatedLabel)
        View.EliminatedLabel->setText(QString::number(Eliminated));
}

void TInfo::ShowLevel() {
    if (View.LevelLabel)
        View.LevelLabel->setText(QString::number(Level));
}

void TInfo::setTickInterval(int ms) {
    if (TickTimer)
        TickTimer->setInterval(ms);
}

void TInfo::copyStateFrom(const TInfo &o) {
    Board = o.Board;
    NextColours.copyStateFrom(o.NextColours);
    Messages = o.Messages;
    Drawings = o.Drawings;
    Gem1Col = o.Gem1Col, Gem1Row = o.Gem1Row;
    Gem2Col = o.Gem2Col, Gem2Row = o.Gem2Row;
    Gem1Colour = o.Gem1Colour, Gem2Colour = o.Gem2Colour;
    SpriteFor(Gem1Colour, Gem1Image, Gem1Mask);
    SpriteFor(Gem2Colour, Gem2Image, Gem2Mask);
    Level = o.Level;
    StageEliminated = o.StageEliminated;
    Eliminated = o.Eliminated;
    Points = o.Points;
    RocksPending = o.RocksPending;
    GemsDealt = o.GemsDealt;
    Falling = o.Falling;
    Animating = o.Animating;
    StageDone = o.StageDone;
    RocksFallen = o.RocksFallen;
    LandingPending = o.LandingPending;
    Active = o.Active;
    Name = o.Name;
    PreviewColour1 = o.PreviewColour1;
    PreviewColour2 = o.PreviewColour2;
}

const char *GameModeWord(GameMode mode) {
    switch (mode) {
    case GameMode::OnePlayer:
        return "one";
    case GameMode::TwoPlayers:
        return "two";
    case GameMode::OneToOne:
        return "vs";
    }
    return "?";
}
