"""The form's "Send to TOPCAT" button in headless Chromium: without a SAMP hub
it says how to start one; with one (jsamp, whose Web Profile lets the page in
without asking) a receiver, astropy's SAMP client, gets table.load.votable,
fetches its address and finds the VOTable that catalix-table writes for the
same values, with a row for each line row of the page.
Usage: check_samp.py FORM_URL EXPECTED_VOTABLE EXPECTED_PAGE WORK_DIR"""
import os, re, subprocess, sys, time, urllib.request
from astropy.samp import SAMPIntegratedClient
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from check_form import TYPED, chromium, fail

form_url, work = sys.argv[1], sys.argv[4]
expected, page = open(sys.argv[2], "rb").read(), open(sys.argv[3], "rb").read()
received = []


def press(driver):
    said = lambda d: d.find_element(By.ID, "samp_problem").text
    driver.find_element(By.ID, "samp_send").click()
    WebDriverWait(driver, 60).until(lambda d: said(d) and not said(d).startswith("Asking"))
    return said(driver)


def until(done, what):
    for _ in range(300):
        if done(): return
        time.sleep(0.1)
    fail("no %s within 30 s" % what)


driver, hub, receiver = chromium(), None, SAMPIntegratedClient(name="receiver")
try:
    driver.get(form_url)
    for name, value in TYPED.items():
        driver.find_element(By.NAME, name).clear()
        driver.find_element(By.NAME, name).send_keys(value)
    said = press(driver)
    if "No SAMP hub answered" not in said or "jsamp.jar hub" not in said:
        fail("without a hub the button says %r" % said)
    print("without a hub: %r" % said)
    lockfile = os.path.join(work, ".samp")
    hub = subprocess.Popen(["java", "-Duser.home=" + work, "-jar", "/usr/share/java/jsamp.jar", "hub", "-mode", "no-gui",
                            "-profiles", "std,web", "-web:auth", "true"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    until(lambda: os.path.exists(lockfile), "hub")
    os.environ["SAMP_HUB"] = "std-lockurl:file://" + lockfile
    receiver.connect()
    receiver.bind_receive_notification(
        "table.load.votable", lambda key, sender, mtype, params, extra: received.append(
            (params["url"], urllib.request.urlopen(params["url"]).read())))
    said = press(driver)
    until(lambda: received, "table.load.votable")
    url, table = received[0]
    rows = len(re.findall(rb"\n<tr  bgcolor", page))
    if said != "Sent to 1 program." or table != expected or table.count(b"<TR>") != rows or not rows:
        fail("sent: %r; %s gave %d rows, not catalix-table's %d, for %d line rows of the page"
             % (said, url, table.count(b"<TR>"), expected.count(b"<TR>"), rows))
    print("with a hub: %r; the receiver read %d rows from %s, catalix-table's, one per line row of the page"
          % (said, rows, url))
finally:
    driver.quit()
    if receiver.is_connected: receiver.disconnect()
    if hub: hub.terminate(), hub.wait()
