#!/usr/bin/env python3
"""Writes the sample rules text data/VUVazur.txt and the archive data/VUVazur.dat.

The text is the game's tables serialised as indented XML-like text: a UTF-8
byte-order mark, CR LF line ends, two spaces per level. The archive is a ZIP
holding that text as one deflated root entry named VUVazur.dat.

Every value comes from a small fixed pseudo-random generator, so the output is
the same byte for byte on every run and every Python 3 version.

Usage: make_sample_rules.py [output folder]   (default: the data folder)
"""

import os
import struct
import sys
import zlib

ENTRY_NAME = "VUVazur.dat"
# 2 March 2009, 10:24:16, in MS-DOS form.
ENTRY_DOS_DATE = ((2009 - 1980) << 9) | (3 << 5) | 2
ENTRY_DOS_TIME = (10 << 11) | (24 << 5) | (16 // 2)


class Rng:
    """xorshift32: tiny, and its sequence is fixed forever."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def int(self, low, high, step=1):
        """A whole number in [low, high] that is a multiple of step above low."""
        count = (high - low) // step + 1
        return low + (self.next() % count) * step

    def chance(self, percent):
        return self.next() % 100 < percent

    def choice(self, items):
        return items[self.next() % len(items)]

    def decimal(self, low, high, places=2):
        """A decimal text such as "3.75" with the given number of places."""
        scale = 10 ** places
        value = self.int(round(low * scale), round(high * scale))
        return f"{value // scale}.{value % scale:0{places}d}"

    def shuffle(self, items):
        for i in range(len(items) - 1, 0, -1):
            j = self.next() % (i + 1)
            items[i], items[j] = items[j], items[i]


# ---------------------------------------------------------------------------
# Serialisation


class Writer:
    def __init__(self):
        self.lines = []

    def line(self, spaces, content):
        self.lines.append(" " * spaces + content)

    def text(self):
        return "\ufeff" + "".join(line + "\r\n" for line in self.lines)


DICTIONARY_COLS = ('<Dictionary name="Cols" keyType="System.String, mscorlib" '
                   'valueType="System.Int32, mscorlib">')
DICTIONARY_ROWS = ('<Dictionary name="Rows" keyType="System.String, mscorlib" '
                   'valueType="System.String[], mscorlib">')


def simple(value):
    return "<Null />" if value is None else f'<Simple value="{value}" />'


def write_table(out, name, columns, rows):
    """One table: its name, the column dictionary, then the rows dictionary."""
    out.line(8, "<Item>")
    out.line(10, simple(name))
    out.line(10, "<Complex>")
    out.line(12, "<Properties>")
    out.line(14, DICTIONARY_COLS)
    out.line(16, "<Items>")
    for number, column in enumerate(columns):
        out.line(18, "<Item>")
        out.line(20, simple(column))
        out.line(20, simple(number))
        out.line(18, "</Item>")
    out.line(16, "</Items>")
    out.line(14, "</Dictionary>")
    out.line(14, DICTIONARY_ROWS)
    out.line(16, "<Items>")
    for values in rows:
        out.line(18, "<Item>")
        out.line(20, simple(values[0]))
        out.line(20, '<SingleArray elementType="System.String, mscorlib">')
        out.line(22, "<Items>")
        for value in values:
            out.line(24, simple(value))
        out.line(22, "</Items>")
        out.line(20, "</SingleArray>")
        out.line(18, "</Item>")
    out.line(16, "</Items>")
    out.line(14, "</Dictionary>")
    out.line(12, "</Properties>")
    out.line(10, "</Complex>")
    out.line(8, "</Item>")


def write_document(tables):
    out = Writer()
    out.line(0, '<?xml version="1.0" encoding="utf-8"?>')
    out.line(0, '<Complex name="Root" type="RulesData.Database, RulesData">')
    out.line(2, "<Properties>")
    out.line(4, '<Simple name="Version" value="2.7.1" />')
    out.line(4, '<Dictionary name="Tables" keyType="System.String, mscorlib" '
                'valueType="RulesData.Table, RulesData">')
    out.line(6, "<Items>")
    for name, columns, rows in tables:
        write_table(out, name, columns, rows)
    out.line(6, "</Items>")
    out.line(4, "</Dictionary>")
    out.line(2, "</Properties>")
    out.line(0, "</Complex>")
    return out.text()


# ---------------------------------------------------------------------------
# Entities: buildings and units

BUILDINGS = [
    "citadel", "granary", "sawmill", "quarry", "foundry", "refinery", "oil_derrick",
    "market", "treasury", "barracks", "archery_range", "stable", "workshop",
    "siege_yard", "academy", "library", "observatory", "watchtower", "guard_tower",
    "cannon_tower", "bastion", "wall_segment", "wall_gate", "wall_corner", "palisade",
    "farm", "orchard", "fishery", "mill", "bakery", "warehouse", "depot", "cottage",
    "longhouse", "manor", "infirmary", "chapel", "shrine", "forge", "armory",
    "smelter", "power_plant", "wind_turbine", "solar_array", "substation", "pylon",
    "radar_post", "airfield", "harbor", "dockyard", "lighthouse", "mint", "tavern",
    "training_ground", "outpost", "lumber_camp",
]
UNITS = [
    "worker", "colonist", "ranger", "spearman", "swordsman", "crossbowman", "lancer",
    "scout_rider", "medic", "engineer", "mortar_team", "grenadier", "sniper",
    "heavy_guard", "courier", "surveyor", "skirmisher", "marksman", "warden",
]
TOWERS = {"watchtower", "guard_tower", "cannon_tower", "bastion"}
POWER_SOURCES = {"power_plant", "wind_turbine", "solar_array"}
STORES = {"granary", "warehouse", "depot", "citadel", "lumber_camp"}
GATHERERS = {"worker": "Wood", "colonist": "Food", "farm": "Food", "orchard": "Food",
             "fishery": "Food", "quarry": "Stone", "oil_derrick": "Oil",
             "lumber_camp": "Wood", "smelter": "Iron", "mint": "Gold"}
PRODUCERS = {"citadel", "barracks", "archery_range", "stable", "workshop", "siege_yard",
             "cottage", "longhouse", "manor", "academy", "harbor", "airfield"}

ENTITY_COLUMNS = [
    "Key", "Name", "Class", "Faction", "Tier", "Model", "Icon", "FootprintX",
    "FootprintY", "Radius", "Height", "Health", "UnitArmor", "BuildingArmor",
    "ArmorType", "Sight", "SightNight", "DetectRange", "TurnRate", "Speed",
    "Acceleration", "Altitude", "Mass", "BuildSpeed", "BuildQueue", "BuiltBy",
    "RequiresTech", "RequiresBuilding", "MaxCount", "PopulationCost",
    "PopulationBonus", "StorageFood", "StorageWood", "StorageStone", "StorageIron",
    "StorageOil", "StorageGold", "Garrison", "GarrisonHeal", "RepairRate",
    "RegenRate", "PowerUse", "PowerOutput", "PowerGrid", "PowerRadius", "WallLink",
    "CanRotate", "Selectable", "Commands", "DefaultCommand", "Upgrades",
    "DeathEffect", "CostWorkers", "CostFood", "CostEnergy", "CostGold", "CostWood",
    "CostStone", "CostIron", "CostOil", "ProducesColonists", "ProducesWorkers",
    "ProduceInterval", "RefundPercent", "SalvageWood", "SalvageStone",
    "SalvageIron", "GatherType", "GatherRate", "GatherCarry", "GatherDropSite",
    "GatherTargets", "GatherIdle", "GatherRange", "GatherFactor", "GatherEstimate",
    "SoundSelect", "SoundMove", "SoundAction", "SoundDeath", "Portrait",
    "Description", "HotKey", "MinimapColor", "MinimapSize", "FogReveal", "Stealth",
    "Flying", "Naval", "Amphibious", "Crushable", "CanCrush", "Bounty",
    "ScoreValue", "XpValue", "Veterancy", "AiRole", "AiPriority", "SpawnOffsetX",
    "SpawnOffsetY", "RallyPoint", "Shadow", "Scale", "LodDistance", "Decal",
    "Footstep", "IdleAnim", "MoveAnim", "ActionAnim", "DeathAnim", "BuildAnim",
    "Variations", "TeamColor", "EditorCategory", "EditorVisible", "Obsolete",
    "Notes", "Revision", "Tags", "HealthBarOffset", "SelectionScale",
]
assert len(ENTITY_COLUMNS) == 121


SHOWN_ENTITY_COLUMNS = {
    "Health", "UnitArmor", "BuildingArmor", "Sight", "Speed", "BuildSpeed", "PowerGrid",
    "CostWorkers", "CostFood", "CostEnergy", "CostGold", "CostWood", "CostStone", "CostIron",
    "CostOil", "ProducesColonists", "ProducesWorkers", "GatherRange", "GatherFactor",
    "GatherEstimate",
}


# How often a setting that the game can do without is left out of a row.
ENTITY_LEFT_OUT_PERCENT = 60
COMMAND_LEFT_OUT_PERCENT = 25


def leave_out_unused(rng, values, columns, kept, percent):
    """Unused settings (zero, False) are left out as the game's own tables do,
    and some others too; the key columns and the kept ones stay."""
    result = []
    for column, value in zip(columns, values):
        if column not in kept and column not in ("Key", "Name", "Class") and (
                value in (0, "False") or rng.chance(percent)):
            value = None
        result.append(value)
    return result


def title(name):
    return " ".join(word.capitalize() for word in name.split("_"))


def entity_order(rng):
    """The citadel first, one unit last, the rest shuffled in between."""
    middle = ["bld_" + name for name in BUILDINGS[1:]] + ["unit_" + name for name in UNITS[:-1]]
    rng.shuffle(middle)
    return ["bld_" + BUILDINGS[0]] + middle + ["unit_" + UNITS[-1]]


def entity_row(rng, key, producer_of):
    building = key.startswith("bld_")
    name = key.split("_", 1)[1]
    v = {}
    v["Key"] = key
    v["Name"] = title(name)
    v["Class"] = "Building" if building else "Unit"
    v["Faction"] = rng.choice(["Common", "Common", "Northern", "Southern"])
    v["Tier"] = rng.int(1, 4)
    v["Model"] = f"models/{name}.mdl"
    v["Icon"] = f"icons/{name}.png"
    size = rng.int(2, 6) if building else 1
    v["FootprintX"] = size
    v["FootprintY"] = size if rng.chance(70) else max(1, size - 1)
    v["Radius"] = rng.decimal(size * 0.45, size * 0.55) if building else rng.decimal(0.35, 0.9)
    v["Height"] = rng.decimal(2.0, 9.5, 1) if building else rng.decimal(1.2, 2.4, 1)
    if key == "bld_citadel":
        v["Health"] = 5000
    elif building:
        v["Health"] = rng.int(250, 4500, 50)
    else:
        v["Health"] = rng.int(40, 600, 5)
    v["UnitArmor"] = "" if building else rng.int(0, 12)
    v["BuildingArmor"] = rng.int(2, 20) if building else ""
    v["ArmorType"] = rng.choice(["Fortified", "Heavy"] if building else ["Light", "Medium", "Heavy"])
    v["Sight"] = rng.int(4, 14) if building else rng.int(6, 16)
    v["SightNight"] = max(2, v["Sight"] - rng.int(1, 4))
    v["DetectRange"] = rng.int(4, 10) if name in TOWERS or name == "radar_post" else None
    v["TurnRate"] = None if building else rng.int(180, 720, 30)
    v["Speed"] = 0 if building else rng.decimal(2.0, 6.5)
    v["Acceleration"] = None if building else rng.decimal(4.0, 12.0, 1)
    v["Altitude"] = 0
    v["Mass"] = 100 if building else rng.int(1, 8)
    v["BuildSpeed"] = rng.int(20, 180, 5) if building else rng.int(8, 45)
    v["BuildQueue"] = 5 if name in PRODUCERS else (0 if building else None)
    v["BuiltBy"] = "unit_worker" if building else producer_of.get(key, "bld_citadel")
    v["RequiresTech"] = f"tech_{name}" if rng.chance(30) else None
    v["RequiresBuilding"] = rng.choice(["bld_citadel", "bld_academy", "bld_forge"]) if rng.chance(35) else None
    v["MaxCount"] = 1 if name in ("citadel", "treasury", "observatory") else 0
    v["PopulationCost"] = 0 if building else rng.int(1, 3)
    v["PopulationBonus"] = rng.int(5, 12) if name in ("cottage", "longhouse", "manor", "citadel") else 0
    for resource in ("Food", "Wood", "Stone", "Iron", "Oil", "Gold"):
        v["Storage" + resource] = rng.int(200, 2000, 100) if name in STORES else 0
    v["Garrison"] = rng.int(5, 20) if building and rng.chance(25) else 0
    v["GarrisonHeal"] = rng.decimal(0.5, 3.0) if v["Garrison"] else 0
    v["RepairRate"] = rng.decimal(1.0, 6.0) if building else None
    v["RegenRate"] = rng.decimal(0.1, 1.5) if rng.chance(30) else 0
    v["PowerUse"] = rng.int(0, 8) if building and name not in POWER_SOURCES else 0
    v["PowerOutput"] = rng.int(10, 40) if name in POWER_SOURCES else 0
    v["PowerGrid"] = (1 if name in POWER_SOURCES or name in ("substation", "pylon") else 0) if building else None
    v["PowerRadius"] = rng.int(6, 14) if v["PowerGrid"] else 0
    v["WallLink"] = "True" if name.startswith("wall_") or name == "palisade" else "False"
    v["CanRotate"] = "True" if building else "False"
    v["Selectable"] = "True"
    v["Commands"] = "rally;sell" if building else "move;stop;hold;patrol"
    v["DefaultCommand"] = None if building else "move"
    v["Upgrades"] = f"upg_{name}_armor;upg_{name}_sight" if rng.chance(40) else None
    v["DeathEffect"] = "fx_collapse_large" if building and size > 3 else (
        "fx_collapse_small" if building else "fx_death_small")
    costs = {"Workers": 0, "Food": 0, "Energy": 0, "Gold": 0, "Wood": 0, "Stone": 0,
             "Iron": 0, "Oil": 0}
    if building:
        costs["Workers"] = rng.int(1, 4)
        costs["Wood"] = rng.int(50, 400, 25)
        costs["Stone"] = rng.int(0, 300, 25)
        if v["Tier"] > 2:
            costs["Iron"] = rng.int(25, 200, 25)
            costs["Gold"] = rng.int(0, 150, 25)
        if name in POWER_SOURCES or v["PowerUse"] > 5:
            costs["Oil"] = rng.int(20, 120, 10)
    else:
        costs["Food"] = rng.int(25, 150, 5)
        costs["Gold"] = rng.int(0, 100, 5)
        costs["Energy"] = rng.int(0, 3)
        if v["Tier"] > 2:
            costs["Iron"] = rng.int(10, 80, 5)
    for resource, amount in costs.items():
        v["Cost" + resource] = amount
    v["ProducesColonists"] = rng.int(1, 3) if name in ("cottage", "longhouse", "manor") else 0
    v["ProducesWorkers"] = rng.int(1, 4) if name in ("citadel", "longhouse") else 0
    producing = v["ProducesColonists"] or v["ProducesWorkers"]
    v["ProduceInterval"] = rng.decimal(20.0, 90.0, 1) if producing else None
    v["RefundPercent"] = rng.choice([50, 50, 75]) if building else 0
    v["SalvageWood"] = costs["Wood"] // 4
    v["SalvageStone"] = costs["Stone"] // 4
    v["SalvageIron"] = costs["Iron"] // 4
    gathers = GATHERERS.get(name)
    v["GatherType"] = gathers
    v["GatherRate"] = rng.decimal(0.4, 2.5) if gathers else 0
    v["GatherCarry"] = rng.int(5, 20) if gathers and not building else 0
    v["GatherDropSite"] = ("bld_granary" if gathers == "Food" else "bld_warehouse") if gathers else None
    v["GatherTargets"] = f"res_{gathers.lower()}" if gathers else None
    v["GatherIdle"] = "False"
    v["GatherRange"] = rng.decimal(1.0, 12.0, 1) if gathers else 0
    v["GatherFactor"] = rng.decimal(0.5, 2.0) if gathers else 0
    v["GatherEstimate"] = rng.int(40, 600, 10) if gathers else 0
    v["SoundSelect"] = f"snd/{name}_select.wav"
    v["SoundMove"] = None if building else f"snd/{name}_move.wav"
    v["SoundAction"] = f"snd/{name}_action.wav" if rng.chance(50) else None
    v["SoundDeath"] = "snd/collapse.wav" if building else "snd/death_generic.wav"
    v["Portrait"] = f"portraits/{name}.png"
    v["Description"] = f"{title(name)} of tier {v['Tier']}"
    v["HotKey"] = name[0].upper()
    v["MinimapColor"] = rng.choice(["255,255,255", "200,200,80", "120,200,255"])
    v["MinimapSize"] = size
    v["Bounty"] = rng.int(0, 50, 5)
    v["ScoreValue"] = rng.int(5, 200, 5)
    v["XpValue"] = rng.int(1, 30)
    v["AiRole"] = rng.choice(["Economy", "Defense", "Military", "Support"])
    v["AiPriority"] = rng.int(1, 9)
    v["Scale"] = rng.decimal(0.8, 1.3)
    v["IdleAnim"] = "idle"
    v["MoveAnim"] = None if building else "walk"
    v["ActionAnim"] = "work" if gathers else ("attack" if not building else None)
    v["DeathAnim"] = "collapse" if building else "die"
    v["BuildAnim"] = "construct" if building else None
    v["Variations"] = rng.int(1, 4)
    v["TeamColor"] = "True"
    v["EditorCategory"] = "Buildings" if building else "Units"
    v["EditorVisible"] = "True"
    v["Revision"] = rng.int(1, 14)
    v["Tags"] = ("Entities;Building" if building else "Entities;Unit") if rng.chance(30) else None
    for column in ("FogReveal", "Stealth", "Flying", "Naval", "Amphibious", "Crushable", "CanCrush",
                   "Obsolete", "Veterancy"):
        v[column] = "False" if rng.chance(60) else None
    return leave_out_unused(rng, [v.get(column) for column in ENTITY_COLUMNS], ENTITY_COLUMNS,
                            SHOWN_ENTITY_COLUMNS, ENTITY_LEFT_OUT_PERCENT)


def entities_table(rng):
    producer_of = {"unit_worker": "bld_citadel", "unit_colonist": "bld_cottage",
                   "unit_medic": "bld_infirmary", "unit_engineer": "bld_workshop",
                   "unit_mortar_team": "bld_siege_yard", "unit_lancer": "bld_stable",
                   "unit_scout_rider": "bld_stable", "unit_crossbowman": "bld_archery_range",
                   "unit_ranger": "bld_archery_range", "unit_marksman": "bld_archery_range"}
    rows = [entity_row(rng, key, producer_of) for key in entity_order(rng)]
    return "Entities", ENTITY_COLUMNS, rows


# ---------------------------------------------------------------------------
# Commands: attacks and other orders

COMMAND_COLUMNS = [
    "Key", "Name", "Owner", "Kind", "Icon", "HotKey", "Tooltip", "TargetType",
    "TargetFilter", "AutoCast", "Priority", "Channel", "RequiresTech", "CostEnergy",
    "CostGold", "Charges", "ChargeTime", "Animation", "SoundCast", "SoundHit",
    "MinRange", "Range", "DamageType", "Damage", "Splash", "SplashFalloff",
    "ArmorPierce", "Projectile", "Interval", "Windup", "Backswing", "Accuracy",
    "BonusVsBuilding", "BonusVsUnit", "BonusVsHeavy", "BonusVsLight", "StunTime",
    "SlowFactor", "SlowTime", "BurnDamage", "BurnTime", "HealAmount", "HealTime",
    "RepairAmount", "BuildList", "GatherList", "LeashRange", "AcquireRange",
    "ChaseTime", "FacingArc", "FireOnMove", "ReloadTime", "Magazine", "Spread",
    "Scatter", "Deviation", "ImpactEffect", "MuzzleEffect", "TrailEffect",
    "ImpactDecal", "ShakeStrength", "ShakeTime", "FriendlyFire", "HitsAir",
    "HitsGround", "HitsNaval", "HitsBuildings", "IgnoreArmor", "Knockback",
    "LifeSteal", "ManaBurn", "RevealTime", "RevealRadius", "SummonKey",
    "SummonCount", "SummonTime", "BuffKey", "BuffTime", "DebuffKey", "DebuffTime",
    "AuraRadius", "AuraKey", "CastRange", "CastTime", "CancelOnDamage",
    "QueueLimit", "GroupOrder", "SmartCast", "ShowRange", "CursorIcon",
    "AiUse", "AiWeight", "AiMinTargets", "AiRetreat", "TutorialText", "UpgradeKey",
    "UpgradeDamage", "UpgradeRange", "UpgradeInterval", "Tier", "Faction",
    "EditorCategory", "EditorVisible", "Obsolete", "Notes", "Revision", "Tags",
    "Variant", "SoundMiss", "SoundReload", "MissEffect", "ArcHeight", "Gravity",
    "TravelSpeed", "TurnToFace", "PreferredTarget", "StackLimit", "GlobalCooldown",
    "SharedCooldown", "Hidden", "ProjectileCount", "HeightBonus",
]
assert len(COMMAND_COLUMNS) == 122

SHOWN_COMMAND_COLUMNS = {"Owner", "Kind", "Range", "Damage", "Interval"}

# (owner, order, kind); the owner is an entity name without its prefix.
COMMANDS = [
    ("ranger", "bow", "Attack"), ("ranger", "volley", "Ability"), ("spearman", "thrust", "Attack"),
    ("spearman", "brace", "Ability"), ("swordsman", "slash", "Attack"), ("crossbowman", "bolt", "Attack"),
    ("crossbowman", "pierce", "Ability"), ("lancer", "lance", "Attack"), ("lancer", "charge", "Ability"),
    ("scout_rider", "saber", "Attack"), ("medic", "bandage", "Heal"), ("medic", "triage", "Heal"),
    ("engineer", "wrench", "Attack"), ("engineer", "repair", "Repair"), ("engineer", "construct", "Build"),
    ("mortar_team", "shell", "Attack"), ("mortar_team", "barrage", "Ability"), ("grenadier", "grenade", "Attack"),
    ("grenadier", "firebomb", "Ability"), ("sniper", "rifle", "Attack"), ("sniper", "aimed_shot", "Ability"),
    ("heavy_guard", "maul", "Attack"), ("heavy_guard", "shield_bash", "Ability"), ("courier", "dagger", "Attack"),
    ("surveyor", "flare", "Ability"), ("skirmisher", "javelin", "Attack"), ("marksman", "musket", "Attack"),
    ("marksman", "reload_drill", "Ability"), ("warden", "halberd", "Attack"), ("warden", "rally_cry", "Ability"),
    ("worker", "pick", "Attack"), ("worker", "gather", "Gather"), ("worker", "build", "Build"),
    ("worker", "repair", "Repair"), ("colonist", "forage", "Gather"), ("colonist", "club", "Attack"),
    ("watchtower", "arrow", "Attack"), ("guard_tower", "bolt", "Attack"), ("guard_tower", "oil_pot", "Ability"),
    ("cannon_tower", "cannon", "Attack"), ("cannon_tower", "grapeshot", "Ability"), ("bastion", "cannon", "Attack"),
    ("bastion", "mortar", "Attack"), ("citadel", "arrow", "Attack"), ("citadel", "alarm", "Ability"),
    ("outpost", "arrow", "Attack"), ("wall_corner", "spikes", "Attack"), ("infirmary", "mend", "Heal"),
    ("chapel", "blessing", "Heal"), ("shrine", "ward", "Ability"), ("radar_post", "scan", "Ability"),
    ("airfield", "bombing_run", "Ability"), ("harbor", "harpoon", "Attack"), ("dockyard", "repair_ship", "Repair"),
    ("lighthouse", "beam", "Ability"), ("palisade", "stakes", "Attack"), ("wall_gate", "boiling_oil", "Attack"),
    ("substation", "arc", "Attack"), ("pylon", "discharge", "Attack"),
]
assert len(COMMANDS) == 59
# A few orders carry only their leading columns.
SHORT_COMMANDS = {"worker_build": 41, "engineer_construct": 58, "surveyor_flare": 77,
                  "radar_post_scan": 96}


def command_row(rng, owner, order, kind):
    key = f"{owner}_{order}"
    ranged = order in ("bow", "volley", "bolt", "pierce", "shell", "barrage", "grenade", "firebomb",
                       "rifle", "aimed_shot", "javelin", "musket", "arrow", "cannon", "grapeshot",
                       "mortar", "harpoon", "oil_pot", "arc", "discharge", "bombing_run")
    v = {}
    v["Key"] = key
    v["Name"] = title(order)
    v["Owner"] = ("unit_" if owner in UNITS else "bld_") + owner
    v["Kind"] = kind
    v["Icon"] = f"icons/cmd_{order}.png"
    v["HotKey"] = order[0].upper()
    v["Tooltip"] = f"{title(order)} ({title(owner)})"
    v["TargetType"] = rng.choice(["Ground", "Unit", "Any"]) if kind != "Build" else "Ground"
    v["TargetFilter"] = "Enemy" if kind in ("Attack", "Ability") else "Friend"
    v["AutoCast"] = "True" if kind in ("Attack", "Heal") else "False"
    v["Priority"] = rng.int(1, 9)
    v["Channel"] = "False"
    v["RequiresTech"] = f"tech_{order}" if kind == "Ability" and rng.chance(60) else None
    v["CostEnergy"] = rng.int(5, 50, 5) if kind == "Ability" else 0
    v["CostGold"] = 0
    v["Charges"] = 0
    v["ChargeTime"] = None
    v["Animation"] = order
    v["SoundCast"] = f"snd/cmd_{order}.wav"
    v["SoundHit"] = f"snd/hit_{order}.wav" if kind == "Attack" else None
    v["MinRange"] = rng.decimal(1.5, 4.0, 1) if order in ("shell", "barrage", "mortar", "cannon") else 0
    # Range, damage and interval are empty where an order has none of them.
    if kind in ("Build", "Gather") or order in ("alarm", "rally_cry", "brace"):
        v["Range"] = None
    elif ranged:
        v["Range"] = rng.decimal(5.0, 14.0, 1)
    else:
        v["Range"] = rng.decimal(0.8, 2.0, 1)
    v["DamageType"] = rng.choice(["Pierce", "Blunt", "Slash", "Fire"]) if kind == "Attack" else None
    if kind in ("Heal", "Build", "Gather", "Repair") or order in ("scan", "flare", "ward", "beam"):
        v["Damage"] = None
    else:
        v["Damage"] = rng.int(4, 120)
    v["Splash"] = rng.decimal(0.5, 3.0, 1) if order in ("shell", "grenade", "cannon", "mortar", "barrage") else 0
    v["SplashFalloff"] = rng.decimal(0.2, 0.8) if v["Splash"] else None
    v["ArmorPierce"] = rng.int(0, 6)
    v["Projectile"] = f"proj_{order}" if ranged else None
    if kind == "Build" or order in ("charge", "aimed_shot", "bombing_run", "alarm"):
        v["Interval"] = None
    else:
        v["Interval"] = rng.decimal(0.6, 4.0)
    v["Windup"] = rng.decimal(0.1, 0.8)
    v["Backswing"] = rng.decimal(0.1, 0.6)
    v["Accuracy"] = rng.int(60, 100, 5)
    for bonus in ("BonusVsBuilding", "BonusVsUnit", "BonusVsHeavy", "BonusVsLight"):
        v[bonus] = rng.decimal(0.5, 2.0, 1) if rng.chance(25) else "1.0"
    v["StunTime"] = rng.decimal(0.5, 2.0, 1) if order in ("shield_bash", "charge") else 0
    v["SlowFactor"] = 0
    v["BurnDamage"] = rng.int(2, 10) if order in ("firebomb", "oil_pot", "boiling_oil") else 0
    v["BurnTime"] = rng.int(3, 8) if v["BurnDamage"] else None
    v["HealAmount"] = rng.int(5, 40) if kind == "Heal" else 0
    v["RepairAmount"] = rng.int(5, 30) if kind == "Repair" else 0
    v["BuildList"] = "bld_farm;bld_cottage;bld_granary;bld_sawmill" if kind == "Build" else None
    v["GatherList"] = "res_food;res_wood;res_stone" if kind == "Gather" else None
    v["AcquireRange"] = rng.int(6, 16)
    v["FireOnMove"] = "False"
    v["HitsGround"] = "True"
    v["HitsAir"] = "True" if ranged and rng.chance(40) else "False"
    v["HitsBuildings"] = "True"
    v["ImpactEffect"] = f"fx_impact_{rng.choice(['small', 'medium', 'large'])}" if kind == "Attack" else None
    v["AiUse"] = kind
    v["AiWeight"] = rng.int(1, 10)
    v["Tier"] = rng.int(1, 4)
    v["Faction"] = rng.choice(["Common", "Northern", "Southern"])
    v["EditorCategory"] = "Commands"
    v["EditorVisible"] = "True"
    v["Revision"] = rng.int(1, 9)
    v["TravelSpeed"] = rng.decimal(8.0, 30.0, 1) if ranged else None
    v["TurnToFace"] = "True"
    v["Hidden"] = "False"
    values = leave_out_unused(rng, [v.get(column) for column in COMMAND_COLUMNS], COMMAND_COLUMNS,
                              SHOWN_COMMAND_COLUMNS, COMMAND_LEFT_OUT_PERCENT)
    return values[:SHORT_COMMANDS.get(key, len(values))]


def commands_table(rng):
    return "Commands", COMMAND_COLUMNS, [command_row(rng, *command) for command in COMMANDS]


# ---------------------------------------------------------------------------
# The smaller tables around the two that the editor shows


def table_index():
    # Rows that name the two big tables as values, and one keyed by a table name.
    columns = ["Key", "Table", "Version", "Locked", "Comment"]
    rows = [
        ["Entities", "Entities", "12", "False", "buildings and units"],
        ["idx_commands", "Commands", "9", "False", "attacks and orders"],
        ["idx_projectiles", "Projectiles", "4", "False", None],
        ["idx_effects", "Effects", "3", "True", None],
        ["idx_upgrades", "Upgrades", "7", "False", "per entity upgrades"],
        ["idx_strings", "Strings", "21", "False", None],
    ]
    return "TableIndex", columns, rows


def factions(rng):
    columns = ["Key", "Name", "Color", "StartFood", "StartWood", "StartStone", "StartIron",
               "StartGold", "StartOil", "StartUnits", "Music", "Flag", "AiProfile", "Playable"]
    rows = []
    for name in ("common", "northern", "southern", "wild"):
        rows.append([f"fac_{name}", title(name), rng.choice(["255,64,64", "64,64,255", "64,200,64"]),
                     rng.int(100, 400, 50), rng.int(100, 400, 50), rng.int(0, 200, 50),
                     rng.int(0, 100, 25), rng.int(0, 100, 25), 0,
                     "unit_worker;unit_worker;unit_colonist", f"music/{name}.ogg",
                     f"flags/{name}.png", rng.choice(["Balanced", "Rush", "Boom"]),
                     "False" if name == "wild" else "True"])
    return "Factions", columns, rows


def projectiles(rng):
    columns = ["Key", "Model", "Speed", "ArcHeight", "Gravity", "Homing", "TrailEffect",
               "ImpactEffect", "Lifetime", "Scale", "Sound", "Rotate"]
    rows = []
    for name in ("bow", "volley", "bolt", "pierce", "shell", "barrage", "grenade", "firebomb",
                 "rifle", "aimed_shot", "javelin", "musket", "arrow", "cannon", "grapeshot",
                 "mortar", "harpoon", "oil_pot", "arc", "discharge", "bombing_run"):
        rows.append([f"proj_{name}", f"models/proj_{name}.mdl", rng.decimal(8.0, 30.0, 1),
                     rng.decimal(0.0, 4.0, 1), rng.decimal(0.0, 9.8, 1),
                     rng.choice(["True", "False", "False"]),
                     f"fx_trail_{name}" if rng.chance(50) else None, "fx_impact_small",
                     rng.decimal(1.0, 6.0, 1), rng.decimal(0.5, 1.5), None, "True"])
    return "Projectiles", columns, rows


def effects(rng):
    columns = ["Key", "Particles", "Duration", "Scale", "Sound", "Light", "LightRadius",
               "Decal", "ScreenShake"]
    rows = []
    for name in ("impact_small", "impact_medium", "impact_large", "collapse_small",
                 "collapse_large", "death_small", "trail_bow", "trail_shell", "trail_rifle",
                 "heal_glow", "repair_sparks", "burn", "smoke", "dust"):
        rows.append([f"fx_{name}", f"particles/{name}.ptc", rng.decimal(0.2, 5.0, 1),
                     rng.decimal(0.5, 2.0), f"snd/fx_{name}.wav" if rng.chance(50) else None,
                     rng.choice(["True", "False"]), rng.int(0, 8), None, rng.decimal(0.0, 1.0)])
    return "Effects", columns, rows


def upgrades(rng):
    columns = ["Key", "Name", "Target", "Column", "Amount", "Percent", "CostFood", "CostWood",
               "CostStone", "CostIron", "CostGold", "CostOil", "ResearchTime", "ResearchedAt",
               "RequiresTech", "Icon", "Tooltip", "Tier"]
    rows = []
    for name in BUILDINGS[:5]:
        for stat in ("armor", "sight"):
            rows.append([f"upg_{name}_{stat}", f"{title(name)} {title(stat)}", f"bld_{name}",
                         "BuildingArmor" if stat == "armor" else "Sight", rng.int(1, 5),
                         "False", 0, rng.int(50, 300, 25), rng.int(0, 200, 25),
                         rng.int(0, 150, 25), rng.int(0, 100, 25), 0, rng.int(20, 120, 5),
                         "bld_academy", None, f"icons/upg_{stat}.png",
                         f"Improves {title(stat).lower()} of the {title(name)}", rng.int(1, 4)])
    return "Upgrades", columns, rows


def strings(rng):
    columns = ["Key", "Text", "Context", "Revision"]
    rows = []
    for name in UNITS + BUILDINGS[:4]:
        prefix = "unit_" if name in UNITS else "bld_"
        rows.append([f"{prefix}{name}.name", title(name), "Entities", rng.int(1, 5)])
    for owner, order, _kind in COMMANDS[:6]:
        rows.append([f"{owner}_{order}.name", title(order), "Commands", rng.int(1, 5)])
    return "Strings", columns, rows


def build_tables():
    rng = Rng(0x5EED1234)
    return [
        table_index(),
        factions(rng),
        commands_table(rng),
        projectiles(rng),
        effects(rng),
        entities_table(rng),
        upgrades(rng),
        strings(rng),
    ]


# ---------------------------------------------------------------------------
# The archive


def zip_one_entry(name, data):
    """A ZIP archive holding data as one deflated entry, with fixed header values."""
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    packed = compressor.compress(data) + compressor.flush()
    crc = zlib.crc32(data) & 0xFFFFFFFF
    name_bytes = name.encode("ascii")
    flags = 0x0800  # file name in UTF-8
    common = struct.pack("<HHHHHIII", 20, flags, 8, ENTRY_DOS_TIME, ENTRY_DOS_DATE, crc,
                         len(packed), len(data))
    local = b"PK\x03\x04" + common + struct.pack("<HH", len(name_bytes), 0) + name_bytes
    central = (b"PK\x01\x02" + struct.pack("<H", 20) + common
               + struct.pack("<HHHHHII", len(name_bytes), 0, 0, 0, 0, 0x20, 0)
               + name_bytes)
    end = b"PK\x05\x06" + struct.pack("<HHHHIIH", 0, 0, 1, 1, len(central),
                                      len(local) + len(packed), 0)
    return local + packed + central + end, crc, len(packed)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data")
    text = write_document(build_tables()).encode("utf-8")
    archive, crc, packed_size = zip_one_entry(ENTRY_NAME, text)
    with open(os.path.join(folder, "VUVazur.txt"), "wb") as file:
        file.write(text)
    with open(os.path.join(folder, "VUVazur.dat"), "wb") as file:
        file.write(archive)
    print(f"VUVazur.txt: {len(text)} bytes")
    print(f"VUVazur.dat: {len(archive)} bytes, entry {packed_size} bytes deflated, CRC-32 {crc:08X}")


if __name__ == "__main__":
    main()
