#include "tests/soak/Soak.h"

#include "catalogues/TObjectTypeMgr.h"
#include "framework/MemoryBackend.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <random>
#include <set>
#include <sstream>

namespace {

class SteppingClock : public Clock {
public:
    int32_t now = 0;
    int32_t MilliSecs() override { return now; }
};

// What the state of a game must be right after it starts, written down
// from the first start so that every restart can be held against it.
std::string StartState() {
    std::ostringstream s;
    for (const auto& l : t_inventory::_list) s << "inv " << l->id << ' ' << l->EntityID << ' ' << l->itemID << ' ' << l->qty << '\n';
    for (const auto& e : t_entity::_list)
        s << "ent " << e->id << ' ' << e->name << ' ' << int(e->objectType) << ' ' << int(e->category) << ' ' << e->roomNum
          << ' ' << e->location << ' ' << int(e->canTake) << int(e->isAlerted) << int(e->isUsable)
          << int(e->disableAfterUse) << int(e->isEnabled) << int(e->isDead) << ' ' << e->ownerID << ' ' << e->teamID
          << ' ' << e->hp << ' ' << e->dexterity << ' ' << e->strength << ' ' << e->perception << ' ' << e->weapon1ID
          << ' ' << e->armor1ID << '\n';
    for (const auto& t : TTrigger::_list) s << "trg " << t->id << ' ' << int(t->isEnabled) << '\n';
    for (const auto& p : TPlayer::_list) s << "kpr " << p->id << ' ' << p->nFrags << ' ' << p->score << '\n';
    for (const auto& r : t_room::_list) s << "room " << r->id << ' ' << r->u << '\n';
    s << "at " << MainPrg->currentRm << ' ' << EntityMgr->NumEntities << ' ' << InventoryMgr->NumInvItems << '\n';
    return s.str();
}

// The action buttons the room calls for, worked out from the world itself.
std::vector<std::string> ExpectedButtons() {
    std::vector<std::string> labels;
    for (const auto& r : t_room::_list) {
        if (r->id != MainPrg->currentRm) continue;
        const std::pair<int32_t, const char*> exits[] = {{r->n, "Go North"}, {r->s, "Go South"}, {r->e, "Go East"},
                                                         {r->w, "Go West"},  {r->u, "Go Up"},    {r->d, "Go Down"}};
        for (const auto& [to, label] : exits)
            if (to != 0) labels.push_back(label);
    }
    for (const auto& e : t_entity::_list) {
        if (e->roomNum != MainPrg->currentRm || e->id == MainPrg->localPlayerID || e->isEnabled != 1) continue;
        labels.push_back("Examine " + e->name);
        if (e->canTake == 1) labels.push_back("Take " + e->name);
        if (e->objectType == kCharacterType) labels.push_back("Ask " + e->name);
        if (e->teamID != Team::Neutral && e->teamID != Team::Player) labels.push_back("Fight the " + e->name);
        if (e->isUsable == 1) labels.push_back("Use " + e->name);
    }
    for (const auto& c : TChoice::_list)
        if (c->roomNum == MainPrg->currentRm && c->isActive == 1) labels.push_back(c->desc);
    return labels;
}

std::vector<std::string> ShownActionButtons() {
    std::vector<std::string> labels;
    for (const auto& a : TActionData::_list)
        if (a->btnGadgetID && !a->btnGadgetID->freed && MemoryBackend::Info(a->btnGadgetID).visible)
            labels.push_back(MemoryBackend::Info(a->btnGadgetID).label);
    return labels;
}

}  // namespace

SoakResult RunSoak(uint32_t seed, int64_t presses) {
    SoakResult result;
    auto backendOwner = std::make_unique<MemoryBackend>();
    MemoryBackend& ui = *backendOwner;
    ui.keepFreed = false;
    SetBackend(std::move(backendOwner));
    auto clockOwner = std::make_unique<SteppingClock>();
    SteppingClock& clock = *clockOwner;
    SetClock(std::move(clockOwner));
    SetRandomSource(nullptr);

    std::mt19937 player(seed);
    clock.now = static_cast<int32_t>(seed);
    StartThornvale();
    const std::string start = StartState();
    result.games = 1;

    std::string& story = MemoryBackend::Info(WindowMgr->storyText).text;
    std::string tail;         // the last characters seen, which must never change
    auto fail = [&](const std::string& what) {
        if (result.failures.size() < 10)
            result.failures.push_back("press " + std::to_string(result.presses) + ", seed " + std::to_string(seed) +
                                      ": " + what);
    };

    for (; result.presses < presses && result.failures.empty(); ++result.presses) {
        std::vector<TGadget> shown = ui.Buttons();
        if (shown.empty()) {
            fail("no button to press");
            break;
        }
        const TGadget pick = shown[std::uniform_int_distribution<size_t>(0, shown.size() - 1)(player)];
        const std::string label = MemoryBackend::Info(pick).label;
        const bool restart = pick == WindowMgr->RestartGameBtn;
        const bool opener = pick == WindowMgr->VisitURLBtn || pick == WindowMgr->InstructionBtn;
        const size_t before = story.size();
        clock.now += std::uniform_int_distribution<int32_t>(1, 5000)(player);

        ui.Press(pick);

        if (story.size() < before || story.compare(before - tail.size(), tail.size(), tail) != 0)
            fail("the story lost text after \"" + label + "\"");
        const bool toExit = MainPrg->currentRm == kExitRoom;
        if (opener) {
            if (story.size() != before) fail("\"" + label + "\" appended text");
        } else if (!toExit && !story.ends_with(kWhatNowPrompt)) {
            fail("\"" + label + "\" did not end with the prompt");
        }
        if (restart) {
            ++result.restarts;
            ++result.games;
            if (StartState() != start) fail("the restart did not give the start state");
        }

        const bool wasOver = MemoryBackend::Info(WindowMgr->RestartGameBtn).visible;
        ui.Tick();
        if (!wasOver && MemoryBackend::Info(WindowMgr->RestartGameBtn).visible) {
            if (story.find("GAME COMPLETED\n", story.size() > 400 ? story.size() - 400 : 0) != std::string::npos)
                ++result.wins;
            else
                ++result.deaths;
        }

        std::set<std::pair<int32_t, int32_t>> lines;
        for (const auto& l : t_inventory::_list)
            if (!lines.insert({l->EntityID, l->itemID}).second) fail("two stock lines for one owner and type");
        std::set<int32_t> ids;
        for (const auto& e : t_entity::_list)
            if (!ids.insert(e->id).second) fail("entity ID " + std::to_string(e->id) + " twice");
        const bool over = MemoryBackend::Info(WindowMgr->RestartGameBtn).visible;
        const std::vector<std::string> expected = over ? std::vector<std::string>{} : ExpectedButtons();
        if (ShownActionButtons() != expected) fail("the action buttons do not match the room after \"" + label + "\"");

        // Keep the check of the old text cheap and the memory bounded: only
        // the tail is compared, and the front is dropped now and then.
        tail = story.substr(story.size() > 64 ? story.size() - 64 : 0);
        if (story.size() > (1u << 20)) {
            story.erase(0, story.size() - tail.size());
        }
    }
    StopThornvale();
    SetClock(nullptr);
    SetBackend(nullptr);
    return result;
}
