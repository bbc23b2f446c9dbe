// The castle's map as play depends on it.
#include "tests/unit/TestGame.h"
#include "world/t_RoomMgr.h"

#include <map>
#include <queue>
#include <set>

namespace {

class CastleMapTest : public StartedGameTest {
protected:
    // Room -> the six exits in the order n, s, e, w, u, d.
    std::map<int32_t, std::array<int32_t, 6>> Exits() const {
        std::map<int32_t, std::array<int32_t, 6>> exits;
        for (const auto& r : t_room::_list) exits[r->id] = {r->n, r->s, r->e, r->w, r->u, int32_t{r->d}};
        return exits;
    }
    // Fewest moves from room 6 to every room it reaches.
    std::map<int32_t, int> Distances() const {
        const auto exits = Exits();
        std::map<int32_t, int> dist{{6, 0}};
        std::queue<int32_t> todo;
        todo.push(6);
        while (!todo.empty()) {
            const int32_t at = todo.front();
            todo.pop();
            for (int32_t to : exits.at(at))
                if (to != 0 && !dist.contains(to)) {
                    dist[to] = dist[at] + 1;
                    todo.push(to);
                }
        }
        return dist;
    }
};

TEST_F(CastleMapTest, EveryRoomIsReachableAndTheWayOutTakesThirteenMoves) {
    const auto dist = Distances();
    EXPECT_EQ(dist.size(), 19u);
    EXPECT_EQ(dist.at(11), 13);
    EXPECT_EQ(Exits().at(11), (std::array<int32_t, 6>{0, 0, 0, 0, 0, 0}));
}

TEST_F(CastleMapTest, ExactlyThreeExitsAreOneWay) {
    const auto exits = Exits();
    const int opposite[6] = {1, 0, 3, 2, 5, 4};
    std::set<std::pair<int32_t, int>> oneWay;
    for (const auto& [room, out] : exits)
        for (int dir = 0; dir < 6; ++dir)
            if (out[dir] != 0 && exits.at(out[dir])[opposite[dir]] != room) oneWay.insert({room, dir});
    EXPECT_EQ(oneWay, (std::set<std::pair<int32_t, int>>{{6, 2}, {9, 5}, {10, 2}}));
}

TEST_F(CastleMapTest, OnlyRoomsFiveAndThirteenLeadUp) {
    std::set<int32_t> up;
    for (const auto& [room, out] : Exits())
        if (out[4] != 0) up.insert(room);
    EXPECT_EQ(up, (std::set<int32_t>{5, 13}));
}

}  // namespace
