#include "tests/unit/TestGame.h"

#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

t_entity* Find(int32_t id) {
    for (const auto& e : t_entity::_list)
        if (e->id == id) return e.get();
    return nullptr;
}

t_entity& Entity(int32_t id) {
    t_entity* e = Find(id);
    if (!e) throw std::runtime_error("no entity " + std::to_string(id));
    return *e;
}

TTrigger& Trigger(int32_t id) {
    for (const auto& t : TTrigger::_list)
        if (t->id == id) return *t;
    throw std::runtime_error("no trigger " + std::to_string(id));
}

t_room& Room(int32_t id) {
    for (const auto& r : t_room::_list)
        if (r->id == id) return *r;
    throw std::runtime_error("no room " + std::to_string(id));
}

std::vector<Button> ActionButtons() {
    std::vector<Button> out;
    for (const auto& a : TActionData::_list)
        if (a->btnGadgetID && !a->btnGadgetID->freed)
            out.emplace_back(a->category, a->target, MemoryBackend::Info(a->btnGadgetID).label);
    return out;
}

ScratchFolder::ScratchFolder() : home_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "thornvale_test_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
    std::filesystem::current_path(pattern);
    path_ = std::filesystem::current_path();  // with links resolved, as the game sees it
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(home_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<StockLine> StockLines() {
    std::vector<StockLine> lines;
    for (const auto& l : t_inventory::_list) lines.emplace_back(l->id, l->EntityID, l->itemID, l->qty);
    return lines;
}

std::string TestName(const std::string& words) {
    std::string name;
    for (char c : words) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name.empty() ? "Empty" : name;
}

int32_t ScriptedRandom::Next(int32_t low, int32_t high) {
    draws.emplace_back(low, high);
    if (rolls.empty()) {
        if (!runFree) ADD_FAILURE() << "a draw of " << low << ".." << high << " that the test did not script";
        return low;
    }
    const int32_t v = rolls.front();
    rolls.pop_front();
    EXPECT_TRUE(v >= low && v <= high) << "scripted roll " << v << " outside " << low << ".." << high;
    return v;
}

void GameTest::SetUp() {
    auto backend = std::make_unique<MemoryBackend>();
    ui_ = backend.get();
    SetBackend(std::move(backend));
    auto random = std::make_unique<ScriptedRandom>();
    dice = random.get();
    SetRandomSource(std::move(random));
    auto fixed = std::make_unique<FixedClock>();
    clock = fixed.get();
    SetClock(std::move(fixed));
}

void GameTest::TearDown() {
    EXPECT_TRUE(dice->rolls.empty()) << dice->rolls.size() << " scripted rolls left undrawn";
    if (started_) StopThornvale();
    SetRandomSource(nullptr);
    SetClock(nullptr);
    SetBackend(nullptr);
}

void GameTest::Start() {
    StartThornvale();
    started_ = true;
    Mark();
}

void GameTest::Roll(std::initializer_list<int32_t> values) { dice->rolls.insert(dice->rolls.end(), values); }

const std::string& GameTest::Story() const { return MemoryBackend::Info(WindowMgr->storyText).text; }

std::string GameTest::Since() {
    std::string s = Story().substr(mark_);
    mark_ = Story().size();
    return s;
}

int GameTest::Appends() const { return MemoryBackend::Info(WindowMgr->storyText).appends; }

void GameTest::Mark() { mark_ = WindowMgr && WindowMgr->storyText ? Story().size() : 0; }

std::vector<std::string> GameTest::ActionLabels() const {
    std::vector<std::string> labels;
    for (const auto& action : TActionData::_list)
        if (action->btnGadgetID && !action->btnGadgetID->freed)
            labels.push_back(MemoryBackend::Info(action->btnGadgetID).label);
    return labels;
}

bool GameTest::Press(const std::string& label) { return ui_->Press(label); }

void GameTest::Enter(uint16_t room) {
    MainPrg->currentRm = room;
    EntityMgr->setRoomNum(MainPrg->localPlayerID, room);
    WindowMgr->UpdateHints();
    Mark();
}

void StartedGameTest::SetUp() {
    GameTest::SetUp();
    Start();
    dice->draws.clear();
    dice->seeds.clear();
}
