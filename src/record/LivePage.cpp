// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/LivePage.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "core/recording/TraceStore.h"
#include "core/recording/ValueLists.h"

namespace kelvor {

namespace {

// The page with @NAME@ for its texts; the script takes the token from the page's own address.
constexpr const char* Page = R"html(<!DOCTYPE html>
<html lang="@lang@"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Kelvor – @live@</title>
<style>
body{font-family:sans-serif;margin:0 auto;padding:.5em 1em;max-width:1200px;background:#fff;color:#000}
h1{font-size:1.4em;margin:.3em 0 .6em}
.top{display:flex;flex-wrap:wrap;gap:.5em 3em;align-items:flex-start}
table{border-collapse:collapse}td,th{padding:.2em .6em;text-align:left}
th{border-bottom:1px solid #888}th:nth-child(2){text-align:right}
.dot{display:inline-block;width:.9em;height:.9em;border:1px solid #000;vertical-align:middle}
.value{font-size:1.6em;font-family:monospace;text-align:right;white-space:nowrap}
p{margin:.2em 0;line-height:1.6}
img{display:block;width:100%;margin-top:1em;background:#000}
</style></head><body>
<h1>Kelvor – @live@</h1>
<div class="top"><table><thead><tr><th>@channel@</th><th>@value@</th><th>@mode@</th></tr></thead>
<tbody id="channels">@rows@</tbody></table>
<p>@meters@: <span id="meters">–</span><br>
@start@: <span id="start">–</span><br>
@running@: <span id="running">–</span><br>
@alarm@: <span id="alarm">@none@</span><br>
<label>@plot@: <select id="span"><option value="0">@whole@</option>
<option value="10">@last@ 10 min</option><option value="60">@last@ 60 min</option>
<option value="1440">@last@ 24 h</option></select></label></p></div>
<img id="plot" alt="@plot@">
<script>
"use strict";
const colours = [@colours@];
const decimal = "@decimal@";
const token = new URLSearchParams(location.search).get("token");
const withToken = (url, more) => url + (token ? (more ? "&" : "?") + "token=" + encodeURIComponent(token) : "");
const rows = {};
document.querySelectorAll("#channels tr").forEach(row => { rows[row.dataset.channel] = row; });
function rowOf(channel) {
  if (rows[channel]) return rows[channel];
  const row = document.createElement("tr");
  row.dataset.channel = channel;
  row.innerHTML = '<td><span class="dot"></span> ' + channel + '</td><td class="value"></td><td class="mode"></td>';
  row.querySelector(".dot").style.background = colours[channel - 1] || "#888";
  const body = document.getElementById("channels");
  const after = Object.keys(rows).map(Number).filter(c => c > channel).sort((a, b) => a - b)[0];
  body.insertBefore(row, after ? rows[after] : null);
  return rows[channel] = row;
}
const text = (id, value) => { document.getElementById(id).textContent = value; };
const events = new EventSource(withToken("events", false));
events.onmessage = e => {
  const r = JSON.parse(e.data);
  const row = rowOf(r.channel);
  // The number as the recorder wrote it, not as the browser would round it again.
  const number = (/"value":(-?[0-9][^,}]*)/.exec(e.data) || [])[1];
  let value = "?";
  if (r.status === "overload") value = "OL";
  else if (r.status === "ok" && number) value = number.replace(".", decimal) + (r.unit ? " " + r.unit : "");
  row.querySelector(".value").textContent = value;
  row.querySelector(".mode").textContent = r.mode;
};
events.addEventListener("state", e => {
  const s = JSON.parse(e.data);
  text("meters", s.meters.join(" · ") || "–");
  text("start", s.start || "–");
  text("running", s.running);
  text("alarm", s.firstAlarm || "@none@");
});
const plot = document.getElementById("plot");
function reload() {
  const width = Math.min(4000, Math.max(100, plot.clientWidth || 800));
  // As high as the window has room for below the readings, within sensible proportions.
  const room = window.innerHeight - plot.offsetTop - 16;
  const height = Math.round(Math.max(Math.min(160, width), Math.min(room, width * 0.75)));
  const ratio = Math.min(4, Math.max(1, Math.round(window.devicePixelRatio || 1)));
  const minutes = document.getElementById("span").value;
  plot.src = withToken("plot.png?width=" + width + "&height=" + height + "&ratio=" + ratio +
                       (minutes !== "0" ? "&minutes=" + minutes : "") + "&at=" + Date.now(), true);
}
plot.onload = () => setTimeout(reload, 1000);
plot.onerror = () => setTimeout(reload, 5000);
reload();
</script></body></html>
)html";

const std::map<std::string, std::pair<const char*, const char*>>& texts() {
  static const std::map<std::string, std::pair<const char*, const char*>> Texts{
      {"lang", {"de", "en"}},
      {"live", {"Live-Ansicht", "live view"}},
      {"channel", {"Kanal", "Channel"}},
      {"value", {"Messwert", "Reading"}},
      {"mode", {"Modus", "Mode"}},
      {"meters", {"Messgeräte", "Meters"}},
      {"start", {"Beginn der Aufzeichnung", "Recording started"}},
      {"running", {"Laufzeit", "Running for"}},
      {"alarm", {"Erster Alarm", "First alarm"}},
      {"none", {"keiner", "none"}},
      {"plot", {"Verlauf", "Plot"}},
      {"whole", {"die ganze Aufzeichnung", "the whole recording"}},
      {"last", {"die letzten", "the last"}},
  };
  return Texts;
}

// "#00FF00": the colour of a channel (from 1).
std::string colourOf(int channel) {
  char colour[8];
  const auto index = static_cast<std::size_t>(std::clamp(channel, 1, TraceStore::Channels) - 1);
  std::snprintf(colour, sizeof colour, "#%06X", paletteRgb(ValueLists::ChannelColors[index]));
  return colour;
}

std::string colourList() {
  std::string list;
  for (int channel = 1; channel <= TraceStore::Channels; ++channel)
    list += (channel > 1 ? ",\"" : "\"") + colourOf(channel) + "\"";
  return list;
}

std::string rowsOf(const std::vector<LiveFeed::Latest>& readings) {
  std::string rows;
  for (const LiveFeed::Latest& latest : readings) {
    const std::string channel = std::to_string(latest.channel);
    rows += "<tr data-channel=\"" + channel +
            "\"><td><span class=\"dot\" style=\"background:" + colourOf(latest.channel) +
            "\"></span> " + channel + "</td><td class=\"value\">" + htmlText(latest.reading) +
            "</td><td class=\"mode\">" + htmlText(latest.mode) + "</td></tr>";
  }
  return rows;
}

}  // namespace

std::string htmlText(const std::string& text) {
  std::string html;
  for (const char c : text) {
    if (c == '&')
      html += "&amp;";
    else if (c == '<')
      html += "&lt;";
    else if (c == '>')
      html += "&gt;";
    else if (c == '"')
      html += "&quot;";
    else
      html += c;
  }
  return html;
}

std::string livePage(bool german, char decimalSeparator,
                     const std::vector<LiveFeed::Latest>& readings) {
  std::string page = Page;
  for (std::size_t at = page.find('@'); at != std::string::npos; at = page.find('@', at)) {
    const auto end = page.find('@', at + 1);
    const std::string name = page.substr(at + 1, end - at - 1);
    const auto text = texts().find(name);
    std::string replacement;
    if (name == "colours")
      replacement = colourList();
    else if (name == "decimal")
      replacement = std::string(1, decimalSeparator);
    else if (name == "rows")
      replacement = rowsOf(readings);
    else
      replacement = german ? text->second.first : text->second.second;
    page.replace(at, end - at + 1, replacement);
    at += replacement.size();
  }
  return page;
}

}  // namespace kelvor
