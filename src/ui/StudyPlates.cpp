#include "ui/StudyPlates.h"

#include <algorithm>

namespace lumaro {
namespace {

QString equityText(double e) { return QString::asprintf("%+.3f", e); }
QString chanceText(double c) { return QString::asprintf("%.1f %%", 100.0 * c); }
QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PlateContent hintPlate(const Hint& hint) {
    PlateContent plate;
    plate.title = QStringLiteral("HINT  ") + text(hint.title);
    plate.footer = QStringLiteral("H hides.");
    for (std::size_t i = 0; i < hint.lines.size(); ++i)
        plate.rows.push_back({text(hint.lines[i]), {}, i == 0 && hint.kind == Hint::Kind::Cube ? PlateRow::Look::Strong : PlateRow::Look::Plain});
    if (!hint.figures.empty()) {
        const bool chances = hint.figuresAreChances;
        plate.rows.push_back({QStringLiteral("Action"), {chances ? QStringLiteral("Match") : QStringLiteral("Equity")}, PlateRow::Look::Heading});
        for (const HintFigure& f : hint.figures)
            plate.rows.push_back({text(f.label), {chances ? chanceText(f.equity) : equityText(f.equity)}, PlateRow::Look::Plain});
        plate.rows.push_back({text(hint.figuresUnit), {}, PlateRow::Look::Plain});
    }
    if (hint.kind != Hint::Kind::Plays || hint.plays.empty()) return plate;
    // The first play is the yardstick: it has an equity and no difference.
    plate.rows.push_back({QStringLiteral("Play"), {QStringLiteral("Equity"), QStringLiteral("Diff.")}, PlateRow::Look::Heading});
    for (std::size_t i = 0; i < hint.plays.size() && i < static_cast<std::size_t>(HintPlate::kPlays); ++i) {
        const HintLine& line = hint.plays[i];
        plate.rows.push_back({QStringLiteral("%1. %2").arg(i + 1).arg(text(line.play)),
                              {equityText(line.equity), i == 0 ? QString() : equityText(line.difference)},
                              i == 0 ? PlateRow::Look::Strong : PlateRow::Look::Plain});
    }
    plate.footer = QStringLiteral("P plays the first.  H hides.");
    return plate;
}

PlateContent reviewPlate(const GameReview& review, int at) {
    PlateContent plate;
    if (review.decisions.empty()) return plate;
    const int n = static_cast<int>(review.decisions.size());
    at = std::clamp(at, 0, n - 1);
    const ReviewedDecision& d = review.decisions[static_cast<std::size_t>(at)];
    QString what;
    switch (d.kind) {
        case ReviewedDecision::Kind::Play: what = QStringLiteral("%1-%2").arg(d.dieA).arg(d.dieB); break;
        case ReviewedDecision::Kind::Double: what = QStringLiteral("double"); break;
        case ReviewedDecision::Kind::Take:
        case ReviewedDecision::Kind::Pass: what = QStringLiteral("answer to a double"); break;
    }
    what = (review.side == Side::White ? QStringLiteral("your ") : QStringLiteral("Black's ")) + what;
    plate.title = QStringLiteral("REVIEW %1 of %2: %3").arg(at + 1).arg(n).arg(what);
    const QString lost = d.equityLost > 0 ? QString::asprintf("%.3f %s", d.equityLost, verdictWord(d.verdict)) : QStringLiteral("none");
    plate.rows = {
        {QString(), {QStringLiteral("Given away")}, PlateRow::Look::Heading},
        {QStringLiteral("Played (blue): ") + text(d.played), {lost}, PlateRow::Look::Strong},
        {QStringLiteral("Best (gold): ") + text(d.best), {}, PlateRow::Look::Plain},
        {QString(), {}, PlateRow::Look::Plain},
        // Millipoints: thousandths of a point of equity, the scale the analysers rate players on.
        {QString::asprintf("Error rate %.1f mp (millipoints) per decision: ", review.errorRate) + text(review.rating), {}, PlateRow::Look::Plain},
        {QStringLiteral("Doubtful %1, errors %2, blunders %3").arg(review.doubtful).arg(review.errors).arg(review.blunders), {}, PlateRow::Look::Plain},
    };
    plate.footer = QStringLiteral("Left, Right: step.  C: the other side.  R: end.");
    return plate;
}

}  // namespace lumaro
