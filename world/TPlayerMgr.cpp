#include "world/TPlayerMgr.h"

#include "shell/Globals.h"
#include "world/TInventoryMgr.h"
#include "world/t_EntityMgr.h"


namespace {

TPlayer* FindKeeper(int32_t id) {
    for (const auto& p : TPlayer::_list)
        if (p->id == id) return p.get();
    return nullptr;
}

}  // namespace

TPlayerMgr::TPlayerMgr() { Init(); }

int TPlayerMgr::Init() {
    NumPlayers = 0;
    // ID 0: the keepers take IDs 1 and 2, those of Keeper::Player and
    // Keeper::Computer.
    AddPlayer(0, "Player", Team::Player);
    AddPlayer(0, "Computer", Team::Monsters);
    return 0;
}

int TPlayerMgr::Reset() {
    TPlayer::DestroyEach();
    return Init();
}

int TPlayerMgr::AddPlayer(int32_t id, const std::string& name, int32_t teamID) {
    TPlayer* p = NewRecord<TPlayer>();
    ++NumPlayers;
    p->id = id != 0 ? id : NumPlayers;
    p->name = name;
    p->score = 0;
    p->teamID = teamID;
    p->clientIP = 0;
    return 0;
}

int32_t TPlayerMgr::GetScore(int32_t id) const {
    const TPlayer* p = FindKeeper(id);
    return p ? p->score : 0;
}

uint8_t TPlayerMgr::AddScore(int32_t id, int32_t n) {
    TPlayer* p = FindKeeper(id);
    if (!p) return 0;
    p->score += n;
    return 1;
}

uint8_t TPlayerMgr::AddFrag(int32_t id, int32_t n) {
    TPlayer* p = FindKeeper(id);
    if (!p) return 0;
    p->nFrags += n;
    return 1;
}

int TPlayerMgr::CalcScores() {
    for (const auto& p : TPlayer::_list) {
        p->score += 30 * p->nFrags;
        p->score += InventoryMgr->CalcScorePoints(p->id);
    }
    return 0;
}
