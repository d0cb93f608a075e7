#include "Checkpoint.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ai/NetFile.h"
#include "ai/NeuralNets.h"

namespace lumaro::train {

namespace {

constexpr char kMagic[8] = {'L', 'M', 'T', 'R', 'A', 'I', 'N', '1'};

template <class T>
void put(std::ofstream& out, const T& v) {
    out.write(reinterpret_cast<const char*>(&v), sizeof v);
}
template <class T>
bool get(std::ifstream& in, T& v) {
    return static_cast<bool>(in.read(reinterpret_cast<char*>(&v), sizeof v));
}

void writeFloats(std::ofstream& out, const std::vector<float>& values) {
    out.write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(values.size() * sizeof(float)));
}
bool readFloats(std::ifstream& in, std::vector<float>& values) {
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(values.data()), static_cast<std::streamsize>(values.size() * sizeof(float))));
}

}  // namespace

bool saveCheckpoint(const std::string& path, const Trainer& trainer) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(kMagic, sizeof kMagic);
        put(out, trainer.config().seed);
        put(out, trainer.gamesDone());
        for (const TrainNet* net : {&trainer.nets().net1, &trainer.nets().net2, &trainer.nets().race}) {
            if (net->size() == 0) continue;  // no race network
            const std::uint64_t size = net->size();
            put(out, size);
            writeFloats(out, net->weights());
        }
        if (trainer.config().adaptive) {
            const AdaptiveSteps& adaptive = trainer.adaptive();
            put(out, adaptive.steps());
            for (int which : {1, 2, 0}) {
                writeFloats(out, adaptive.mean()[which]);
                writeFloats(out, adaptive.square()[which]);
            }
        }
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

bool loadCheckpoint(const std::string& path, Trainer& trainer) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    char magic[8];
    std::uint64_t seed = 0;
    std::int64_t games = 0;
    if (!in.read(magic, sizeof magic) || !std::equal(magic, magic + 8, kMagic)) return false;
    if (!get(in, seed) || !get(in, games) || seed != trainer.config().seed) return false;
    Nets loaded(trainer.nets().race.hidden());
    for (TrainNet* net : {&loaded.net1, &loaded.net2, &loaded.race}) {
        if (net->size() == 0) continue;
        std::uint64_t size = 0;
        if (!get(in, size) || size != net->size() || !readFloats(in, net->weights())) return false;
    }
    AdaptiveSteps adaptive(loaded);
    if (trainer.config().adaptive) {
        std::int64_t steps = 0;
        if (!get(in, steps) || steps < 0) return false;
        adaptive.setSteps(steps);
        for (int which : {1, 2, 0})
            if (!readFloats(in, adaptive.mean()[which]) || !readFloats(in, adaptive.square()[which])) return false;
    }
    // Anything left over is a network this run does not have: a checkpoint of another recipe.
    if (in.peek() != std::char_traits<char>::eof()) return false;
    trainer.nets() = loaded;
    trainer.adaptive() = adaptive;
    trainer.setProgress(games);
    return true;
}

bool saveGameWeights(const std::string& folder, const Nets& nets) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return saveNet(folder + "/nn1.bin", nets.net1.fileValues()) && saveNet(folder + "/nn2.bin", nets.net2.fileValues());
}

bool loadGameWeights(const std::string& folder, Nets& nets) {
    NeuralNets game;
    game.loadNets(folder);
    if (!game.usable()) {
        std::fprintf(stderr, "lumaro-train: %s\n", game.unusableReason().c_str());
        return false;
    }
    nets.net1.setFileValues(game.net1Values());
    nets.net2.setFileValues(game.net2Values());
    return true;
}

}  // namespace lumaro::train
