#!/usr/bin/env python3
# Regenerates every browser store under tests/data/browsers from the real browsers.
#
# Usage: tests/data/browsers/regenerate.py   (as root on Debian; installs what it needs;
#        python3's sqlite3 module must have SQLite 3.35 or later, for DROP COLUMN)
#
# Debian's chromium and firefox-esr are run headless against a small HTTP server on
# 127.0.0.1 that sets cookies with Set-Cookie and document.cookie. Chromium reaches it
# through --host-resolver-rules, Firefox through an HTTP proxy preference, so every host
# name below lands on that server and nothing leaves the machine. Each browser walks a
# "tour" of pages; the last page tells the server it is done. The databases are then
# taken as the browsers wrote them (cookie values stay encrypted or as written: nothing
# is decrypted), everything the tests do not need is deleted, and the edge cases are
# derived from the real files with python3's sqlite3 module.
#
# What the files are (made with Chromium 156.0.8078.129 and Firefox 153.8.0esr, Debian 12):
#
# chromium/User Data/
#   Local State              only its "profile" part is kept: info_cache lists "Default"
#                            (named "Zoë") and "Profile 1" (named "Work").
#   Default/Network/Cookies  meta version 24, last_compatible_version 24; table cookies:
#                            creation_utc, host_key, top_frame_site_key, name, value,
#                            encrypted_value, path, expires_utc, is_secure, is_httponly,
#                            last_access_utc, has_expires, is_persistent, priority, samesite,
#                            source_scheme, source_port, last_update_utc, source_type,
#                            has_cross_site_ancestor. Cookies of .example.org,
#                            www.example.org, badexample.org, .badexample.org, shop.test,
#                            news.example and .news.example: a domain cookie's host_key has a
#                            leading dot, a host-only one has none; session cookies have
#                            expires_utc 0, has_expires 0 and is_persistent 0; one path is
#                            "/account", and "café=…" (path "/ünï") and "prénom=…" carry
#                            non-ASCII text. value is empty, encrypted_value is "v10…":
#                            Chromium encrypts every value. Expiry is capped at 400 days.
#                            Chromium on Linux keeps this file in the profile folder itself
#                            (Default/Cookies); on Windows it lives in Network\Cookies
#                            since version 96, so the fixture puts it there.
#   Profile 1/Network/Cookies  three cookies of news.example, shop.test (path /wish) and
#                            .example.org.
#   Default/History          meta version 70: visits of eight pages (one twice), the
#                            keyword search "quillmere fixtures" (the seeded default search
#                            engine is search.example), one download (shop.test/invoice.txt),
#                            segments, visited_links rows; the cluster and annotation tables
#                            exist.
#   Default/Top Sites        meta version 5: the pages History ranks first.
#   Default/Shortcuts        meta version 2; the one row of omni_box_shortcuts is added by
#                            this script (a headless browser types nothing into its omnibox).
#   Default/Bookmarks        written by this script in the browser's own format and checksum
#                            before the first start, and loaded by the browser: the visited
#                            page http://www.example.org/recipes/bread in folder "Kitchen",
#                            and http://unvisited.example/, never visited.
#   Default/Visited Links    this version keeps visited links in History; it writes the
#                            older file again when the partitioned table is switched off,
#                            which a second, short run does.
#   Default/Cache/Cache_Data, Code Cache/js, Code Cache/wasm, GPUCache
#                            a few small files of each (the indexes and some entries).
#   No GrShaderCache, ShaderCache or GraphiteDawnCache: with --disable-gpu there is no GPU
#   process to make them.
#
# firefox/
#   profiles.ini             [Profile0] Profiles/k3x8a1qz.default-release (Default=1),
#                            [Profile1] Profiles/w7b2c9df.work, both relative, and an
#                            [Install...] section, written by this script as Firefox writes
#                            it on Windows (the profiles themselves were run with --profile).
#   Profiles/k3x8a1qz.default-release/cookies.sqlite
#                            user_version 17; table moz_cookies: id, originAttributes, name,
#                            value, host, path, expiry (milliseconds), lastAccessed,
#                            creationTime, isSecure, isHttpOnly, inBrowserElement, sameSite,
#                            schemeMap, isPartitionedAttributeSet, updateTime. The same
#                            cookies as Chromium's Default but the session ones: Firefox
#                            keeps those in memory only. Closed cleanly (no -wal); 32 KB
#                            pages, compacted (Firefox grows it in steps of 512 KB).
#   Profiles/k3x8a1qz.default-release/places.sqlite
#                            user_version 86: the same visits as Chromium's Default, and the
#                            same two bookmarks, which Firefox imported at its first start
#                            from a bookmarks.html this script wrote. Rewritten in 4 KB pages
#                            (Firefox's 32 KB pages made 1.7 MB of it); the one row of
#                            moz_inputhistory is added by this script, as for Shortcuts.
#   Profiles/w7b2c9df.work/cookies.sqlite + cookies.sqlite-wal
#                            three cookies in the main file from a first run closed cleanly;
#                            two more (badexample.org "late", shop.test "basket") only in the
#                            -wal: the second run was killed hard, as in a crash. Open it with
#                            SQLite only: SQLite replays the -wal when it reads, and a
#                            read-write connection checkpoints and deletes it when it closes.
#
# firefox-local/Profiles/k3x8a1qz.default-release/  (%LOCALAPPDATA%\Mozilla\Firefox\...)
#   cache2/entries/...       a few of the profile's own cache entries.
#   thumbnails/<md5 of the bookmarked page's address>.png
#                            headless Firefox keeps no thumbnails: a headless screenshot of
#                            that page stands in for one.
#
# edge-cases/
#   chromium-legacy/User Data/Default/Cookies  (and a Local State listing Default)
#                            the Default cookies in the profile folder itself, in an older
#                            layout: meta version 12 and without the columns added since
#                            (LEGACY_DROPPED_COLUMNS), unique index on host_key, name, path.
#   firefox-schema15/cookies.sqlite
#                            the first Firefox profile's cookies with user_version 15,
#                            expiry in seconds since 1970 instead of milliseconds, and
#                            without updateTime (added after 15).
#   missing-table/Cookies    a Chromium cookie store whose cookies table was dropped.
#   corrupt/Cookies          the Default cookie store with every page after the first
#                            overwritten: it opens, and reading or checking it fails.
#   local-state-gone-profile/User Data/Local State
#                            lists "Default" and "Profile 7"; only Default's folder exists
#                            (with Profile 1's cookies in Network/Cookies).
#   profiles-ini-absolute/profiles.ini
#                            [Profile0] with IsRelative=0 and Path=@ABSOLUTE_PROFILE@: an
#                            absolute path differs per machine, so the tests replace the
#                            placeholder with a folder of their own before reading it,
#                            e.g. the absolute path of elsewhere/ (a copy of the first
#                            Firefox profile's cookies.sqlite) or of a copy of it.
#
# A run takes about three minutes. Times in the files (creation, expiry, visits) are those
# of the run, so they change each time; hosts, names, paths and counts do not.
import base64
import hashlib
import http.server
import json
import os
import shutil
import signal
import socket
import sqlite3
import subprocess
import tempfile
import threading
import time
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
CHROMIUM_DATA = os.path.join(HERE, "chromium", "User Data")
FIREFOX_DATA = os.path.join(HERE, "firefox")
FIREFOX_LOCAL = os.path.join(HERE, "firefox-local")
EDGE_CASES = os.path.join(HERE, "edge-cases")

FIREFOX_PROFILES = {"default": "k3x8a1qz.default-release", "work": "w7b2c9df.work"}
CHROMIUM_PROFILES = {"Default": "Zoë", "Profile 1": "Work"}

YEAR = 365 * 24 * 3600
HTTP_DATE = "%a, %d %b %Y %H:%M:%S GMT"


def in_a_year():
    return time.strftime(HTTP_DATE, time.gmtime(time.time() + YEAR))


# Each step: (url, Set-Cookie headers, document.cookie assignments). Header values are
# sent as UTF-8 bytes, so a name or path with non-ASCII letters reaches the browser as a
# website would send it.
def main_tour():
    return [
        ("http://www.example.org/",
         ["sid=a1b2c3d4; Domain=example.org; Path=/; Max-Age=%d" % YEAR,
          "lang=en; Path=/"],
         ["theme=dark; max-age=2592000; path=/"]),
        ("http://www.example.org/recipes/bread",
         [], []),
        ("http://www.example.org/account/settings",
         ["acct=42; Path=/account; Max-Age=604800"], []),
        ("http://badexample.org/",
         ["tracker=zz91; Path=/; Max-Age=%d" % YEAR,
          "ad=1; Domain=badexample.org; Path=/"], []),
        ("http://shop.test/cart",
         ["cart=3%20items; Path=/",
          "currency=EUR; Path=/; Expires=" + in_a_year()], []),
        ("http://news.example/%C3%BCn%C3%AF/",
         ["consent=yes; Domain=news.example; Path=/; Max-Age=%d" % YEAR,
          "café=crème; Path=/ünï; Max-Age=%d" % YEAR],
         ["prénom=Zoë; max-age=86400; path=/"]),
        ("http://search.example/search?q=quillmere+fixtures",
         [], []),
        ("http://www.example.org/recipes/bread",
         [], []),
    ]


def second_tour():
    return [
        ("http://news.example/",
         ["edition=intl; Path=/; Max-Age=%d" % YEAR], []),
        ("http://shop.test/wish/list",
         ["wishlist=7; Path=/wish; Max-Age=%d" % YEAR], []),
        ("http://www.example.org/",
         ["sid=e5f6a7b8; Domain=example.org; Path=/; Max-Age=%d" % YEAR], []),
    ]


# Run after the first run of the second Firefox profile, and ended by a kill: what it sets
# stays in cookies.sqlite-wal.
def crash_tour():
    return [
        ("http://badexample.org/late",
         ["late=1; Path=/; Max-Age=%d" % YEAR], []),
        ("http://shop.test/",
         ["basket=5; Path=/; Max-Age=%d" % YEAR, "visit=now; Path=/"], []),
    ]


SCRIPT_JS = "\n".join(
    "function step%d(x) { var s = 0; for (var i = 0; i < x; ++i) { s += (i * %d) %% 7; }"
    " return s + '%s'; }" % (n, n, "q" * 40) for n in range(120)
) + "\nwindow.fixtureLoaded = step3(5);\n"

# A 1x1 transparent PNG, so that the caches hold an image as well as pages and a script.
PIXEL_PNG = base64.b64decode(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg==")


class Tours:
    """The walks the browsers take, one at a time. Pages carry no marks of the walk in
    their addresses (History must keep the very addresses a bookmark names): the server
    answers each page request with the walk's next step."""

    def __init__(self):
        self.tours = {}
        self.done = {}
        self.downloading = set()
        self.active = None
        self.position = 0
        self.lock = threading.Lock()

    def add(self, name, steps, downloads=False):
        self.tours[name] = steps
        self.done[name] = threading.Event()
        if downloads:
            self.downloading.add(name)

    def start(self, name):
        with self.lock:
            self.active, self.position = name, 0
        return self.tours[name][0][0]

    def next_step(self, url):
        """The step that this page request is, or None when it is not the one awaited."""
        with self.lock:
            steps = self.tours.get(self.active, [])
            if self.position >= len(steps) or steps[self.position][0] != url:
                return None
            self.position += 1
            return self.active, self.position - 1


def make_handler(tours):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, fmt, *args):
            pass

        def reply(self, status, body, content_type, headers=()):
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(len(body)))
            for name, value in headers:
                self.send_header(name, value)
            self.end_headers()
            self.wfile.write(body)

        def do_CONNECT(self):
            self.reply(405, b"", "text/plain")

        def do_GET(self):
            # Through Firefox's proxy the request line carries the whole URL.
            url = urllib.parse.urlsplit(self.path)
            path = url.path
            query = urllib.parse.parse_qs(url.query)
            cacheable = [("Cache-Control", "public, max-age=86400")]
            if path == "/app.js":
                return self.reply(200, SCRIPT_JS.encode(), "text/javascript", cacheable)
            if path == "/pixel.png":
                return self.reply(200, PIXEL_PNG, "image/png", cacheable)
            if path == "/done":
                tours.done[query["tour"][0]].set()
                return self.reply(200, b"done", "text/plain")
            if path == "/invoice.txt":
                return self.reply(200, b"invoice 2026-001\n", "text/plain",
                                  [("Content-Disposition", 'attachment; filename="invoice.txt"')])
            host = self.headers.get("Host", url.netloc).split(":")[0]
            step = tours.next_step("http://%s%s%s" % (host, path, "?" + url.query if url.query else ""))
            if step is None:
                return self.reply(404, b"", "text/plain")
            self.page(*step)

        def page(self, tour, index):
            steps = tours.tours[tour]
            _, set_cookies, script_cookies = steps[index]
            if index + 1 < len(steps):
                then = "location.href = %s;" % json.dumps(steps[index + 1][0])
            else:
                then = "fetch('/done?tour=%s');" % tour
            download = ""
            if "/cart" in self.path and tour in tours.downloading:
                download = ("var a = document.createElement('a'); a.href = '/invoice.txt';"
                            " a.download = 'invoice.txt'; document.body.appendChild(a); a.click();")
            body = ("<!doctype html><html><head><meta charset='utf-8'><title>%s</title>"
                    "<script src='/app.js'></script></head><body><p>%s</p>"
                    "<img src='/pixel.png' alt=''><a href='/'>home</a><script>%s"
                    "setTimeout(function () { %s }, 700);</script></body></html>") % (
                "Fixture page %d" % index, "Fixture page", "".join(
                    "document.cookie = %s;" % json.dumps(c) for c in script_cookies) + download,
                then)
            headers = [("Set-Cookie", c.encode("utf-8").decode("latin-1")) for c in set_cookies]
            headers.append(("Cache-Control", "no-cache"))
            self.reply(200, body.encode("utf-8"), "text/html; charset=utf-8", headers)

    return Handler


def serve(tours):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), make_handler(tours))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def install_browsers():
    if shutil.which("chromium") and shutil.which("firefox-esr"):
        return
    subprocess.run(["apt-get", "update"], check=True)
    subprocess.run(["apt-get", "-o", "DPkg::Lock::Timeout=600", "install", "-y",
                    "chromium", "firefox-esr"], check=True)


def browser_env(home):
    env = dict(os.environ)
    env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"), MOZ_CRASHREPORTER_DISABLE="1")
    env.pop("DISPLAY", None)
    return env


def wait_for(tours, name, process, seconds=90):
    if not tours.done[name].wait(seconds):
        process.kill()
        raise SystemExit("the browser did not finish the tour %s" % name)


def stop(process, hard):
    process.send_signal(signal.SIGKILL if hard else signal.SIGTERM)
    try:
        process.wait(60)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


# ---- Chromium ------------------------------------------------------------------------

CHROMIUM_FLAGS = [
    "--headless", "--disable-gpu", "--no-first-run", "--no-sandbox",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--no-default-browser-check", "--password-store=basic", "--use-mock-keychain",
]
DISABLED_FEATURES = ["HttpsUpgrades", "HttpsFirstBalancedModeAutoEnable",
                     "HttpsFirstModeV2ForTypicallySecureUsers", "MediaRouter",
                     "OptimizationHints"]

BOOKMARKED_URL = "http://www.example.org/recipes/bread"


def chromium_bookmarks():
    """The profile's Bookmarks file as the browser keeps it, with its checksum, so that
    it loads the file as its own; it holds one visited page in a folder."""
    checksum = hashlib.md5()

    def add(text):
        checksum.update(text.encode("utf-8"))

    def add_title(text):
        checksum.update(text.encode("utf-16-le"))

    def url_node(node_id, title, url):
        add(node_id), add_title(title), add("url"), add(url)
        return {"date_added": "13370000000000000", "date_last_used": "0",
                "guid": "5b1f7d3e-0c6a-4e8a-9a57-%012d" % int(node_id), "id": node_id,
                "name": title, "type": "url", "url": url}

    def folder(node_id, title, children, guid):
        add(node_id), add_title(title), add("folder")
        node = {"children": [], "date_added": "13370000000000000", "date_last_used": "0",
                "date_modified": "0", "guid": guid, "id": node_id, "name": title,
                "type": "folder"}
        node["children"] = [make() for make in children]
        return node

    bar = folder("1", "Bookmarks bar", [
        lambda: folder("4", "Kitchen", [
            lambda: url_node("5", "Bread – a recipe", BOOKMARKED_URL)],
            "5b1f7d3e-0c6a-4e8a-9a57-000000000004"),
        lambda: url_node("6", "Never visited", "http://unvisited.example/")],
        "0bc5d13f-2cba-5d74-951f-3f233fe6c908")
    other = folder("2", "Other bookmarks", [], "82b081ec-3dd3-529c-8475-ab6c344590dd")
    synced = folder("3", "Mobile bookmarks", [], "4cf2e351-0e85-532b-bb37-df045d8f8d0f")
    return {"checksum": checksum.hexdigest(),
            "roots": {"bookmark_bar": bar, "other": other, "synced": synced},
            "version": 1}


def chromium_preferences(downloads):
    """Preferences seeded before the first start: downloads go to a folder of the run
    without asking, and the default search engine is one the local server answers, so
    that History records keyword search terms."""
    return {
        "download": {"default_directory": downloads, "prompt_for_download": False},
        "default_search_provider_data": {"template_url_data": {
            "short_name": "Search Example", "keyword": "search.example",
            "url": "http://search.example/search?q={searchTerms}",
            "prepopulate_id": 0, "id": "7", "synced_guid": "8e6e1d55-6e0f-4f61-9b1b-3a0b4c31a2a7",
            "safe_for_autoreplace": False, "date_created": "13370000000000000",
            "last_modified": "13370000000000000", "input_encodings": ["UTF-8"],
            "favicon_url": "", "originating_url": "", "suggestions_url": "",
            "image_url": "", "new_tab_url": "", "contextual_search_url": "",
            "alternate_urls": [], "created_by_policy": 0, "usage_count": 0}},
        "https_only_mode_enabled": False,
    }


def run_chromium(tours, server, user_data, home):
    port = server.server_address[1]
    env = browser_env(home)
    downloads = os.path.join(home, "Downloads")
    os.makedirs(downloads, exist_ok=True)
    for profile, tour in (("Default", "chromium-main"), ("Profile 1", "chromium-second")):
        folder = os.path.join(user_data, profile)
        os.makedirs(folder, exist_ok=True)
        if profile == "Default":
            with open(os.path.join(folder, "Preferences"), "w") as f:
                json.dump(chromium_preferences(downloads), f)
            with open(os.path.join(folder, "Bookmarks"), "w") as f:
                json.dump(chromium_bookmarks(), f, indent=3, ensure_ascii=False)
        process = start_chromium(user_data, profile, tours.start(tour), [
            "--host-resolver-rules=MAP * 127.0.0.1:%d" % port], env)
        wait_for(tours, tour, process)
        # The cookie store and History write what they hold back at most 30 s later.
        time.sleep(35)
        stop(process, hard=False)
    # This version keeps visited links in History alone; the older "Visited Links" file,
    # which profiles carried over from earlier versions still hold, is written again
    # (rebuilt from History) when the partitioned table is switched off. That start runs
    # on a copy: a start without session restore deletes the session cookies.
    shutil.copytree(user_data, visited_links_run(user_data), symlinks=True)
    process = start_chromium(visited_links_run(user_data), "Default", "about:blank", [],
                             env, ["PartitionVisitedLinkDatabase",
                                   "PartitionVisitedLinkDatabaseWithSelfLinks"])
    time.sleep(30)
    stop(process, hard=False)


def visited_links_run(user_data):
    return user_data + "-visited-links"


def start_chromium(user_data, profile, url, flags, env, disabled_features=()):
    features = "--disable-features=" + ",".join(DISABLED_FEATURES + list(disabled_features))
    return subprocess.Popen(
        ["chromium"] + CHROMIUM_FLAGS + flags + [features,
            "--user-data-dir=" + user_data, "--profile-directory=" + profile,
            "--remote-debugging-port=0", url],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# ---- Firefox -------------------------------------------------------------------------

def firefox_prefs(port, control, bookmarks_html):
    prefs = {
        "network.proxy.type": 1, "network.proxy.http": "127.0.0.1",
        "network.proxy.http_port": port, "network.proxy.no_proxies_on": "",
        "network.proxy.allow_hijacking_localhost": True,
        "dom.security.https_first": False, "dom.security.https_first_schemeless": False,
        "dom.security.https_only_mode": False,
        "browser.shell.checkDefaultBrowser": False,
        "browser.startup.homepage_override.mstone": "ignore",
        "browser.aboutwelcome.enabled": False, "browser.startup.firstrunSkipsHomepage": True,
        "datareporting.policy.dataSubmissionEnabled": False,
        "datareporting.healthreport.uploadEnabled": False,
        "toolkit.telemetry.enabled": False, "app.update.enabled": False,
        "app.normandy.enabled": False, "extensions.update.enabled": False,
        "browser.safebrowsing.malware.enabled": False,
        "browser.safebrowsing.phishing.enabled": False,
        "browser.safebrowsing.downloads.enabled": False,
        "network.captive-portal-service.enabled": False,
        "network.connectivity-service.enabled": False,
        "browser.newtabpage.enabled": False, "browser.cache.disk.smart_size.enabled": False,
        "marionette.port": control,
        # Without it places.sqlite grows in steps of 10 MB.
        "places.database.growthIncrementKiB": 0,
    }
    if bookmarks_html:
        # Firefox imports this file into places.sqlite when it starts, as it does for a
        # profile carried over from another machine: the bookmark is the browser's own.
        prefs["browser.places.importBookmarksHTML"] = True
        prefs["browser.bookmarks.file"] = bookmarks_html
    return "".join("user_pref(%s, %s);\n" % (json.dumps(k), json.dumps(v))
                   for k, v in prefs.items())


FIREFOX_BOOKMARKS_HTML = """<!DOCTYPE NETSCAPE-Bookmark-file-1>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>
<DL><p>
    <DT><H3>Kitchen</H3>
    <DL><p>
        <DT><A HREF="%s">Bread – a recipe</A>
    </DL><p>
    <DT><A HREF="http://unvisited.example/">Never visited</A>
</DL><p>
""" % BOOKMARKED_URL


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def marionette_quit(port):
    """Asks Firefox to quit as its own menu would, through its remote protocol (a length,
    a colon and a JSON array per message), so that it closes its databases itself."""
    with socket.create_connection(("127.0.0.1", port), timeout=30) as sock:
        stream = sock.makefile("rb")

        def receive():
            length = b""
            while not length.endswith(b":"):
                length += stream.read(1)
            return json.loads(stream.read(int(length[:-1])))

        def send(message_id, command, parameters):
            data = json.dumps([0, message_id, command, parameters]).encode()
            sock.sendall(b"%d:%s" % (len(data), data))
            return receive()

        receive()
        send(1, "WebDriver:NewSession", {})
        send(2, "Marionette:Quit", {"flags": ["eForceQuit"]})


def run_firefox(tours, server, profiles_root, home):
    port = server.server_address[1]
    env = browser_env(home)
    control = free_port()

    def start(profile, tour):
        return subprocess.Popen(
            ["firefox-esr", "--headless", "--no-remote", "--marionette",
             "--profile", profile, tours.start(tour)],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    for key, name in FIREFOX_PROFILES.items():
        profile = os.path.join(profiles_root, name)
        os.makedirs(profile, exist_ok=True)
        bookmarks = None
        if key == "default":
            bookmarks = os.path.join(home, "bookmarks.html")
            with open(bookmarks, "w") as f:
                f.write(FIREFOX_BOOKMARKS_HTML)
        with open(os.path.join(profile, "user.js"), "w") as f:
            f.write(firefox_prefs(port, control, bookmarks))
        tour = "firefox-main" if key == "default" else "firefox-second"
        process = start(profile, tour)
        wait_for(tours, tour, process)
        time.sleep(8)
        marionette_quit(control)
        process.wait(60)
        if key == "work":
            # The crash run's rows go to the -wal of this file, so it is made small now.
            compact(os.path.join(profile, "cookies.sqlite"))
            process = start(profile, "firefox-crash")
            wait_for(tours, "firefox-crash", process)
            # Long enough for the cookie service to write, too short for any checkpoint.
            time.sleep(5)
            stop(process, hard=True)


def firefox_thumbnail(tours, server, home):
    """Headless Firefox keeps no page thumbnails; its own screenshot of the bookmarked
    page, taken with a throwaway profile, stands in for one."""
    profile = os.path.join(home, "thumbnail-profile")
    os.makedirs(profile)
    with open(os.path.join(profile, "user.js"), "w") as f:
        f.write(firefox_prefs(server.server_address[1], free_port(), None))
    picture = os.path.join(home, "thumbnail.png")
    tours.start("thumbnail")
    subprocess.run(["firefox-esr", "--headless", "--no-remote", "--profile", profile,
                    "--screenshot", picture, "--window-size=180,120", BOOKMARKED_URL],
                   env=browser_env(home), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=120, check=True)
    return picture


# ---- Taking the files ------------------------------------------------------------------

def compact(database, page_size=None):
    """Rewrites a closed database without its free and preallocated space (Firefox grows
    its files in steps of 512 KB); the schema, rows and user_version stay as written."""
    connection = sqlite3.connect(database, isolation_level=None)
    mode = connection.execute("PRAGMA journal_mode").fetchone()[0]
    connection.execute("PRAGMA journal_mode=DELETE")
    if page_size:
        connection.execute("PRAGMA page_size=%d" % page_size)
    connection.execute("VACUUM")
    connection.execute("PRAGMA journal_mode=%s" % mode)
    connection.close()


def copy(source, target):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    shutil.copy2(source, target)


def take_local_state(user_data, target, names):
    with open(os.path.join(user_data, "Local State"), encoding="utf-8") as f:
        profile = json.load(f)["profile"]
    cache = profile["info_cache"]
    for folder, name in names.items():
        entry = dict(cache.get(folder) or next(iter(cache.values())))
        entry.update(name=name, is_using_default_name=False)
        cache[folder] = entry
    for folder in list(cache):
        if folder not in names:
            del cache[folder]
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", encoding="utf-8") as f:
        json.dump({"profile": profile}, f, indent=3, ensure_ascii=False)


def take_chromium_cookies(user_data):
    # Chromium on Linux keeps Cookies in the profile folder; on Windows it has moved the
    # file to Network\Cookies since version 96, so that is where the fixture puts it.
    take_local_state(user_data, os.path.join(CHROMIUM_DATA, "Local State"), CHROMIUM_PROFILES)
    for profile in CHROMIUM_PROFILES:
        copy(os.path.join(user_data, profile, "Cookies"),
             os.path.join(CHROMIUM_DATA, profile, "Network", "Cookies"))


def write_profiles_ini():
    # As Firefox on Windows writes it: CRLF, the newest profile first, and the install
    # section (named after a hash of the install folder) naming the default profile.
    with open(os.path.join(FIREFOX_DATA, "profiles.ini"), "w", newline="\r\n") as f:
        f.write("[Install308046B0AF4A39CB]\nDefault=Profiles/%s\nLocked=1\n\n"
                "[Profile1]\nName=work\nIsRelative=1\nPath=Profiles/%s\n\n"
                "[Profile0]\nName=default-release\nIsRelative=1\nPath=Profiles/%s\nDefault=1\n\n"
                "[General]\nStartWithLastProfile=1\nVersion=2\n" % (
                    FIREFOX_PROFILES["default"], FIREFOX_PROFILES["work"],
                    FIREFOX_PROFILES["default"]))


def take_firefox_cookies(profiles_root):
    write_profiles_ini()
    for key, name in FIREFOX_PROFILES.items():
        source = os.path.join(profiles_root, name)
        target = os.path.join(FIREFOX_DATA, "Profiles", name)
        if key == "default":
            compact(os.path.join(source, "cookies.sqlite"))
        copy(os.path.join(source, "cookies.sqlite"), os.path.join(target, "cookies.sqlite"))
        if key == "work":
            copy(os.path.join(source, "cookies.sqlite-wal"),
                 os.path.join(target, "cookies.sqlite-wal"))


SMALL_CACHE_FILE = 4096


def take_some_files(source, target, most, largest=SMALL_CACHE_FILE):
    """A few of a cache folder's small files, in their own subfolders, with the small
    index files that name them; the cache is only ever purged, so a few make the point."""
    taken = 0
    for folder, _, names in sorted(os.walk(source)):
        for name in sorted(names):
            path = os.path.join(folder, name)
            if os.path.getsize(path) > largest:
                continue
            is_index = name in ("index", "the-real-index")
            if not is_index and taken >= most:
                continue
            taken += 0 if is_index else 1
            copy(path, os.path.join(target, os.path.relpath(path, source)))


def add_shortcut(database):
    """Chromium records an omnibox shortcut only when something is typed into the omnibox,
    which a headless run cannot do; one row as the omnibox writes it goes into the
    browser's own table."""
    connection = sqlite3.connect(database, isolation_level=None)
    connection.execute(
        "INSERT INTO omni_box_shortcuts (id, text, fill_into_edit, url, document_type,"
        " contents, contents_class, description, description_class, transition, type,"
        " keyword, last_access_time, number_of_hits) VALUES (?, ?, ?, ?, 0, ?, '0,1',"
        " ?, '0,0', 1, 0, '', ?, 2)",
        ("9f5b3c2a-4d1e-4c6b-8f7a-2e3d4c5b6a79", "bread", BOOKMARKED_URL, BOOKMARKED_URL,
         BOOKMARKED_URL, "Fixture page 7", 13410000000000000))
    connection.close()


def take_chromium_history(user_data):
    source = os.path.join(user_data, "Default")
    target = os.path.join(CHROMIUM_DATA, "Default")
    for name in ("History", "Top Sites", "Shortcuts", "Bookmarks"):
        copy(os.path.join(source, name), os.path.join(target, name))
    copy(os.path.join(visited_links_run(user_data), "Default", "Visited Links"),
         os.path.join(target, "Visited Links"))
    add_shortcut(os.path.join(target, "Shortcuts"))
    take_some_files(os.path.join(source, "Cache", "Cache_Data"),
                    os.path.join(target, "Cache", "Cache_Data"), 4)
    take_some_files(os.path.join(source, "Code Cache"), os.path.join(target, "Code Cache"), 3)
    # GPUCache's index and data_1 are preallocated at 256 KB each: its 8 KB blocks do.
    take_some_files(os.path.join(source, "GPUCache"), os.path.join(target, "GPUCache"), 3,
                    largest=8192)
    for shared in ("GrShaderCache", "ShaderCache", "GraphiteDawnCache"):
        if os.path.isdir(os.path.join(user_data, shared)):
            take_some_files(os.path.join(user_data, shared),
                            os.path.join(CHROMIUM_DATA, shared), 2)


def take_firefox_history(profiles_root, thumbnail):
    name = FIREFOX_PROFILES["default"]
    source = os.path.join(profiles_root, name)
    places = os.path.join(FIREFOX_DATA, "Profiles", name, "places.sqlite")
    copy(os.path.join(source, "places.sqlite"), places)
    # Firefox writes places.sqlite in 32 KB pages: some 50 pages for a handful of visits.
    compact(places, page_size=4096)
    # As with Chromium's shortcuts, input history needs typing into the address bar.
    connection = sqlite3.connect(places, isolation_level=None)
    connection.execute("INSERT INTO moz_inputhistory (place_id, input, use_count)"
                       " SELECT id, 'bread', 1 FROM moz_places WHERE url = ?", (BOOKMARKED_URL,))
    connection.close()
    local = os.path.join(FIREFOX_LOCAL, "Profiles", name)
    take_some_files(os.path.join(source, "cache2", "entries"),
                    os.path.join(local, "cache2", "entries"), 4)
    # Firefox names a thumbnail after the MD5 of its page's address.
    copy(thumbnail, os.path.join(local, "thumbnails",
                                 hashlib.md5(BOOKMARKED_URL.encode()).hexdigest() + ".png"))


# ---- Edge cases, derived from the real files ---------------------------------------------

LEGACY_DROPPED_COLUMNS = ["top_frame_site_key", "source_port", "last_update_utc",
                          "source_type", "has_cross_site_ancestor"]


def derive_database(source, target, statements):
    copy(source, target)
    connection = sqlite3.connect(target, isolation_level=None)
    for statement in statements:
        connection.execute(statement)
    connection.execute("VACUUM")
    connection.close()


def derive_edge_cases():
    default_cookies = os.path.join(CHROMIUM_DATA, "Default", "Network", "Cookies")
    other_cookies = os.path.join(CHROMIUM_DATA, "Profile 1", "Network", "Cookies")

    legacy = os.path.join(EDGE_CASES, "chromium-legacy", "User Data")
    derive_database(default_cookies, os.path.join(legacy, "Default", "Cookies"),
                    ["DROP INDEX cookies_unique_index"] +
                    ["ALTER TABLE cookies DROP COLUMN %s" % c for c in LEGACY_DROPPED_COLUMNS] +
                    ["CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, name, path)"] +
                    ["UPDATE meta SET value = '12' WHERE key IN ('version', 'last_compatible_version')"])
    take_local_state_copy(os.path.join(legacy, "Local State"), {"Default": "Zoë"})

    firefox_cookies = os.path.join(FIREFOX_DATA, "Profiles", FIREFOX_PROFILES["default"],
                                   "cookies.sqlite")
    derive_database(firefox_cookies, os.path.join(EDGE_CASES, "firefox-schema15", "cookies.sqlite"),
                    ["ALTER TABLE moz_cookies DROP COLUMN updateTime",
                     "UPDATE moz_cookies SET expiry = expiry / 1000",
                     "PRAGMA user_version = 15"])

    derive_database(default_cookies, os.path.join(EDGE_CASES, "missing-table", "Cookies"),
                    ["DROP TABLE cookies"])

    corrupt = os.path.join(EDGE_CASES, "corrupt", "Cookies")
    copy(default_cookies, corrupt)
    with open(corrupt, "r+b") as f:
        page_size = int.from_bytes(f.read(18)[16:18], "big")
        # The first page (header and schema) stays readable, so the file opens and the
        # damage shows when the rows are read or checked.
        f.seek(page_size)
        size = os.path.getsize(corrupt) - page_size
        f.write(bytes((i * 37 + 11) % 256 for i in range(size)))

    gone = os.path.join(EDGE_CASES, "local-state-gone-profile", "User Data")
    take_local_state_copy(os.path.join(gone, "Local State"),
                          {"Default": "Zoë", "Profile 7": "Gone"})
    copy(other_cookies, os.path.join(gone, "Default", "Network", "Cookies"))

    # A profile with an absolute path: the tests replace @ABSOLUTE_PROFILE@ with a folder
    # of their own (for example the absolute path of "elsewhere" below, or a copy of it),
    # since an absolute path differs from machine to machine.
    absolute = os.path.join(EDGE_CASES, "profiles-ini-absolute")
    os.makedirs(absolute, exist_ok=True)
    with open(os.path.join(absolute, "profiles.ini"), "w", newline="\r\n") as f:
        f.write("[Profile0]\nName=elsewhere\nIsRelative=0\nPath=@ABSOLUTE_PROFILE@\nDefault=1\n\n"
                "[General]\nStartWithLastProfile=1\nVersion=2\n")
    copy(firefox_cookies, os.path.join(absolute, "elsewhere", "cookies.sqlite"))


def take_local_state_copy(target, names):
    with open(os.path.join(CHROMIUM_DATA, "Local State"), encoding="utf-8") as f:
        state = json.load(f)
    template = next(iter(state["profile"]["info_cache"].values()))
    state["profile"]["info_cache"] = {folder: dict(template, name=name)
                                      for folder, name in names.items()}
    state["profile"]["last_used"] = next(iter(names))
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", encoding="utf-8") as f:
        json.dump(state, f, indent=3, ensure_ascii=False)


def check(database, table, expected_rows_at_least):
    # Read through a copy with its -wal beside it: a connection to the fixture itself
    # would checkpoint the -wal into the main file when it closes.
    with tempfile.TemporaryDirectory() as scratch:
        for suffix in ("", "-wal"):
            if os.path.exists(database + suffix):
                shutil.copy2(database + suffix, os.path.join(scratch, "db" + suffix))
        connection = sqlite3.connect(os.path.join(scratch, "db"))
        assert connection.execute("PRAGMA integrity_check").fetchone()[0] == "ok", database
        rows = connection.execute("SELECT count(*) FROM %s" % table).fetchone()[0]
        connection.close()
        assert rows >= expected_rows_at_least, (database, rows)


def main():
    if os.geteuid() != 0:
        raise SystemExit("run as root: it installs the browsers and runs Chromium as root")
    install_browsers()
    for folder in (os.path.join(HERE, "chromium"), FIREFOX_DATA, FIREFOX_LOCAL, EDGE_CASES):
        shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(FIREFOX_DATA)
    tours = Tours()
    tours.add("chromium-main", main_tour(), downloads=True)
    tours.add("chromium-second", second_tour())
    tours.add("firefox-main", main_tour())
    tours.add("firefox-second", second_tour())
    tours.add("firefox-crash", crash_tour())
    tours.add("thumbnail", [(BOOKMARKED_URL, [], [])])
    server = serve(tours)
    with tempfile.TemporaryDirectory(prefix="quillmere-browsers-") as work:
        home = os.path.join(work, "home")
        os.makedirs(home)
        user_data = os.path.join(work, "chromium")
        profiles_root = os.path.join(work, "firefox")
        run_chromium(tours, server, user_data, home)
        run_firefox(tours, server, profiles_root, home)
        thumbnail = firefox_thumbnail(tours, server, home)
        server.shutdown()
        take_chromium_cookies(user_data)
        take_chromium_history(user_data)
        take_firefox_cookies(profiles_root)
        take_firefox_history(profiles_root, thumbnail)
        derive_edge_cases()
    for profile in CHROMIUM_PROFILES:
        check(os.path.join(CHROMIUM_DATA, profile, "Network", "Cookies"), "cookies", 3)
    check(os.path.join(CHROMIUM_DATA, "Default", "Network", "Cookies"),
          "cookies WHERE is_persistent = 0", 3)
    for name in FIREFOX_PROFILES.values():
        check(os.path.join(FIREFOX_DATA, "Profiles", name, "cookies.sqlite"), "moz_cookies", 3)
    check(os.path.join(EDGE_CASES, "firefox-schema15", "cookies.sqlite"), "moz_cookies", 3)
    check(os.path.join(EDGE_CASES, "chromium-legacy", "User Data", "Default", "Cookies"),
          "cookies", 3)
    check(os.path.join(CHROMIUM_DATA, "Default", "History"), "visits", 5)
    check(os.path.join(CHROMIUM_DATA, "Default", "Top Sites"), "top_sites", 1)
    check(os.path.join(CHROMIUM_DATA, "Default", "Shortcuts"), "omni_box_shortcuts", 1)
    places = os.path.join(FIREFOX_DATA, "Profiles", FIREFOX_PROFILES["default"], "places.sqlite")
    check(places, "moz_historyvisits", 5)
    check(places, "moz_inputhistory", 1)
    check(places, "moz_bookmarks JOIN moz_places ON moz_places.id = moz_bookmarks.fk"
                  " WHERE moz_places.visit_count > 0", 1)


if __name__ == "__main__":
    main()
