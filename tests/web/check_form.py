#!/usr/bin/env python3
"""Fills in query.html in headless Chromium through Selenium, submits it and
checks the answer: byte for byte the page that catalix writes for the same
values, one table per spectrum counted, only C IV line rows, and a menu
whose every link resolves.  Usage: check_form.py FORM_URL EXPECTED_PAGE"""
import re, sys, urllib.request
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

# Typed over the form's defaults; check_web.sh made EXPECTED_PAGE from them.
TYPED = {"min_z_abs": "2", "max_z_abs": "3.2", "ion_name": " CIV "}


def fail(message):
    sys.exit("FAIL: " + message)


def main():
    form_url, expected = sys.argv[1], open(sys.argv[2], "rb").read()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.set_page_load_timeout(60)
        driver.get(form_url)
        for name, value in TYPED.items():
            field = driver.find_element(By.NAME, name)
            field.clear()
            field.send_keys(value)
        driver.find_element(By.CSS_SELECTOR, "input[type=submit]").click()
        WebDriverWait(driver, 60).until(lambda d: "Query Results" in d.title)
        answer = driver.current_url
        if "?" not in answer or urllib.request.urlopen(answer).read() != expected:
            fail("the answer at %s is not catalix's page" % answer)
        counted = re.search(r"There are (\d+) QSO spectra", driver.find_element(By.TAG_NAME, "body").text)
        tables = [t for t in driver.find_elements(By.TAG_NAME, "table") if t.find_elements(By.TAG_NAME, "th")]
        if not counted or int(counted.group(1)) != len(tables):
            fail("%d spectrum tables for the count %s" % (len(tables), counted and counted.group(1)))
        names = [row.find_elements(By.TAG_NAME, "td")[1].text for t in tables
                 for row in t.find_elements(By.XPATH, ".//tr[count(td)=8]")]
        if not names or set(names) != {"CIV"}:
            fail("line rows name %r" % names)
        print("answer: %d spectra, %d C IV line rows" % (len(tables), len(names)))
        links = [a.get_attribute("href") for a in driver.find_elements(By.CSS_SELECTOR, "ul:first-of-type a")]
        if len(links) != 3:
            fail("the menu has %d links" % len(links))
        for link in links:
            if urllib.request.urlopen(link).status != 200:
                fail("menu link %s does not resolve" % link)
        print("menu: %d links, each resolves" % len(links))
    finally:
        driver.quit()


main()
