#include "rules/PlayNotation.h"

#include <algorithm>
#include <vector>

#include "rules/StepTests.h"

namespace lumaro {
namespace {

constexpr int kBar = 25;
constexpr int kOff = 0;

// One checker's path in the mover's points: where it started, then every point it touched, with
// whether it hit there.
struct CheckerPath {
    int from = 0;
    std::vector<int> points;
    std::vector<bool> hits;

    int end() const { return points.back(); }
    std::string text() const {
        auto name = [](int p) { return p == kBar ? std::string("bar") : p == kOff ? std::string("off") : std::to_string(p); };
        std::string out = name(from);
        for (std::size_t k = 0; k < points.size(); ++k) {
            // A point passed over is written only where the checker hit on it.
            if (k + 1 < points.size() && !hits[k]) continue;
            out += '/' + name(points[k]);
            if (hits[k]) out += '*';
        }
        return out;
    }
};

}  // namespace

std::string playNotation(const Position& start, Side side, const Play& play) {
    const auto own = [side](int logical) { return side == Side::Black ? logical : 25 - logical; };
    Position pos = start;
    std::vector<CheckerPath> paths;
    for (int k = 1; k <= 4 && play[k].die != 0; ++k) {
        const bool onBar = (side == Side::White ? pos.barWhite : pos.barBlack) > 0;
        const int from = onBar ? 0 : play[k].point;
        const Byte result = stepResult(pos, side, from, play[k].die);
        if (result == kStepImpossible) continue;
        applyStep(pos, side, from, result);
        const int fromOwn = onBar ? kBar : own(from);
        const bool hit = result > kHitOffset && result != kBorneOff;
        const int toOwn = result == kBorneOff ? kOff : own(hit ? result - kHitOffset : result);
        // A step from where an earlier step of this play ended continues that checker's path.
        auto same = std::find_if(paths.begin(), paths.end(),
                                 [fromOwn](const CheckerPath& p) { return p.end() == fromOwn; });
        if (same == paths.end()) {
            paths.push_back(CheckerPath{fromOwn, {}, {}});
            same = paths.end() - 1;
        }
        same->points.push_back(toOwn);
        same->hits.push_back(hit);
    }
    std::stable_sort(paths.begin(), paths.end(), [](const CheckerPath& a, const CheckerPath& b) {
        return a.from != b.from ? a.from > b.from : a.end() > b.end();
    });
    std::string out;
    for (std::size_t i = 0; i < paths.size();) {
        const std::string text = paths[i].text();
        std::size_t n = 1;
        while (i + n < paths.size() && paths[i + n].text() == text) ++n;
        if (!out.empty()) out += ' ';
        out += text;
        if (n > 1) out += '(' + std::to_string(n) + ')';
        i += n;
    }
    return out;
}

}  // namespace lumaro
